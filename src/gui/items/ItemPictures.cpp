#include "gui/items/ItemPictures.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace lh::gui {

namespace {

QPolygonF starShape(QPointF centre, double radius) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    return star;
}

// Draws on a 16-unit grid, at 16 and 32 pixels.
template <typename Draw>
QIcon drawnIcon(Draw draw) {
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawPage(QPainter& p) {
    p.setPen(QPen(QColor(0x6B, 0x72, 0x80), 0.8));
    p.setBrush(QColor(0xFA, 0xFB, 0xFD));
    p.drawPolygon(QPolygonF({QPointF(3.0, 1.5), QPointF(10.0, 1.5), QPointF(13.0, 4.5),
                             QPointF(13.0, 14.5), QPointF(3.0, 14.5)}));
    p.setPen(QPen(QColor(0xA0, 0xA8, 0xB4), 0.7));
    for (double y : {6.0, 8.0, 10.0}) {
        p.drawLine(QPointF(5.0, y), QPointF(11.0, y));
    }
}

void drawLink(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1F, 0x6F, 0xD0), 1.3));
    p.drawRoundedRect(QRectF(5.5, 10.0, 5.0, 3.0), 1.5, 1.5);
    p.drawRoundedRect(QRectF(8.5, 11.5, 5.0, 3.0), 1.5, 1.5);
}

}  // namespace

QPixmap starPixmap(bool full) {
    QPixmap pixmap(kStarSize, kStarSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xF2, 0xB7, 0x05);
    p.setPen(QPen(full ? gold.darker(140) : QColor(0x9A, 0x9A, 0x9A), 1.0));
    p.setBrush(full ? QBrush(gold) : QBrush(Qt::NoBrush));
    p.drawPolygon(starShape(QPointF(7.0, 7.5), 6.3));
    return pixmap;
}

QIcon itemRowIcon() {
    return drawnIcon([](QPainter& p) {
        drawPage(p);
        drawLink(p);
    });
}

QIcon itemHeaderIcon() {
    return drawnIcon([](QPainter& p) { drawPage(p); });
}

}  // namespace lh::gui

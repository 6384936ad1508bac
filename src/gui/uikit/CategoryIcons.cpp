#include "gui/uikit/CategoryIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

#include "store/Kinds.h"

namespace lh::gui {

namespace {

// Places in the strip of eleven 16 x 16 category icons.
constexpr int kCategoryIconCount = 11;
constexpr int kRootIcon = 0;
constexpr int kMixedIcon = 3;  // also "Recycle"
constexpr int kFileIcon = 5;
constexpr int kFavouritesIcon = 6;
constexpr int kRemindIcon = 7;

// The icon of a category: the root, "WebFavorite" and "Recycle" by id, every other by class.
int categoryIconIndex(std::uint16_t id, std::uint8_t flags) {
    switch (id) {
        case store::kRootId:
            return kRootIcon;
        case store::kFavoritesId:
            return kFavouritesIcon;
        case store::kRecycleId:
            return kMixedIcon;
        default:
            break;
    }
    switch (flags & store::kClassMask) {
        case store::kClassUrl:
            return kFavouritesIcon;
        case store::kClassFile:
            return kFileIcon;
        case store::kClassRemind:
            return kRemindIcon;
        default:
            return kMixedIcon;
    }
}

// Every picture is drawn on a 16-unit grid and scaled to the pixmap's size.
void drawFolder(QPainter& p, const QColor& body) {
    p.setPen(QPen(body.darker(160), 0.8));
    p.setBrush(body.darker(115));
    p.drawRoundedRect(QRectF(1.5, 3.0, 6.0, 3.0), 0.8, 0.8);  // the tab
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 4.5, 13.0, 9.5), 1.0, 1.0);
}

void drawStar(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    p.setPen(QPen(colour.darker(150), 0.6));
    p.setBrush(colour);
    p.drawPolygon(star);
}

void drawRoot(QPainter& p) {
    // A globe: the whole collection.
    p.setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 1.0));
    p.setBrush(QColor(0x5B, 0x9B, 0xE6));
    p.drawEllipse(QRectF(1.5, 1.5, 13.0, 13.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE8, 0xF1, 0xFC), 0.8));
    p.drawEllipse(QRectF(5.0, 1.5, 6.0, 13.0));
    p.drawLine(QPointF(1.5, 8.0), QPointF(14.5, 8.0));
    p.drawLine(QPointF(3.0, 4.8), QPointF(13.0, 4.8));
    p.drawLine(QPointF(3.0, 11.2), QPointF(13.0, 11.2));
}

void drawBin(QPainter& p) {
    p.setPen(QPen(QColor(0x44, 0x4B, 0x55), 0.9));
    p.setBrush(QColor(0xB8, 0xC0, 0xCA));
    p.drawRect(QRectF(2.5, 3.0, 11.0, 2.0));  // the lid
    p.drawRect(QRectF(6.0, 1.5, 4.0, 1.5));
    QPainterPath body;
    body.moveTo(3.5, 5.0);
    body.lineTo(12.5, 5.0);
    body.lineTo(11.5, 14.5);
    body.lineTo(4.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    for (double x : {6.0, 8.0, 10.0}) {
        p.drawLine(QPointF(x, 7.0), QPointF(x, 13.0));
    }
}

void drawPage(QPainter& p) {
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.7));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 6.5, 6.0, 8.0));
    for (double y : {8.5, 10.5, 12.5}) {
        p.drawLine(QPointF(8.7, y), QPointF(12.3, y));
    }
}

void drawClock(QPainter& p) {
    p.setPen(QPen(QColor(0x7A, 0x1F, 0x1F), 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.5, 7.0, 7.5, 7.5));
    p.drawLine(QPointF(11.25, 10.75), QPointF(11.25, 8.3));
    p.drawLine(QPointF(11.25, 10.75), QPointF(13.2, 10.75));
}

QPixmap drawIcon(int index, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    const QColor folder(0xF2, 0xC7, 0x4E);
    switch (index) {
        case kRootIcon:
            drawRoot(p);
            break;
        case kMixedIcon:
            drawBin(p);
            break;
        case kFileIcon:
            drawFolder(p, folder);
            drawPage(p);
            break;
        case kFavouritesIcon:
            drawFolder(p, folder);
            drawStar(p, QPointF(11.0, 10.5), 4.0, QColor(0xE0, 0x3A, 0x2F));
            break;
        case kRemindIcon:
            drawFolder(p, folder);
            drawClock(p);
            break;
        default:
            drawFolder(p, folder);
            break;
    }
    return pixmap;
}

}  // namespace

QIcon categoryIcon(store::CategoryId id, std::uint8_t flags) {
    const int index = categoryIconIndex(id, flags);
    // Kept for the whole run (never destroyed after the application object).
    static auto* const icons = new std::array<QIcon, kCategoryIconCount>;
    QIcon& icon = (*icons)[static_cast<std::size_t>(index)];
    if (icon.isNull()) {
        icon.addPixmap(drawIcon(index, 16));
        icon.addPixmap(drawIcon(index, 32));
    }
    return icon;
}

}  // namespace lh::gui

#include "gui/shell/ShellPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace lh::gui {

namespace {

using Drawing = std::function<void(QPainter&)>;

QPixmap paint(int size, const Drawing& draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);  // every drawing is made on a 32 x 32 grid
    draw(p);
    return pixmap;
}

QIcon iconFrom(const Drawing& draw) {
    QIcon icon;
    // Up to three times the toolbar's 32 pixels, so that screens of two or three device pixels
    // per pixel get a drawing of their own instead of a blurred enlargement.
    for (int size : {16, 24, 32, 48, 64, 96}) {
        icon.addPixmap(paint(size, draw));
    }
    return icon;
}

QPainterPath star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? outer : inner;
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void globe(QPainter& p) {
    p.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 2));
    p.setBrush(QColor(0xcf, 0xe4, 0xfa));
    p.drawEllipse(QRectF(3, 3, 22, 22));
    p.drawLine(QPointF(3, 14), QPointF(25, 14));
    p.drawEllipse(QRectF(9, 3, 10, 22));
}

void arrow(QPainter& p, bool up) {
    QPainterPath path;
    const double y0 = up ? 26 : 6, y1 = up ? 6 : 26, mid = up ? 15 : 17;
    path.moveTo(12, y0);
    path.lineTo(20, y0);
    path.lineTo(20, mid);
    path.lineTo(27, mid);
    path.lineTo(16, y1);
    path.lineTo(5, mid);
    path.lineTo(12, mid);
    path.closeSubpath();
    p.setPen(QPen(QColor(0x1d, 0x6b, 0x2f), 1.5));
    p.setBrush(QColor(0x5c, 0xb8, 0x5c));
    p.drawPath(path);
}

// A curved arrow turning back to the left (undo), or mirrored to the right (redo).
void turnBack(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath bend;
    bend.moveTo(8, 13);
    bend.cubicTo(QPointF(14, 6), QPointF(28, 8), QPointF(26, 20));
    bend.cubicTo(QPointF(25, 25), QPointF(20, 27), QPointF(15, 27));
    p.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x5f, 0xa8));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(14, 7), QPointF(7, 18)}));
}

void sheet(QPainter& p, double x, double y) {
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x, y, 15, 20));
}

void plus(QPainter& p) {
    p.setPen(QPen(QColor(0x1d, 0x8a, 0x2f), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 18), QPointF(25, 30));
    p.drawLine(QPointF(19, 24), QPointF(31, 24));
}

const std::array<Drawing, 15> kToolbarDrawings = {
    [](QPainter& p) {  // 0 Add URL: a globe with a plus
        globe(p);
        p.setPen(QPen(QColor(0x1d, 0x8a, 0x2f), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(25, 18), QPointF(25, 30));
        p.drawLine(QPointF(19, 24), QPointF(31, 24));
    },
    [](QPainter& p) {  // 1 Delete: a red cross
        p.setPen(QPen(QColor(0xc8, 0x28, 0x28), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
    },
    [](QPainter& p) { arrow(p, true); },   // 2 Up
    [](QPainter& p) { arrow(p, false); },  // 3 Down
    [](QPainter& p) {                      // 4 Properties: a sheet with lines
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 4, 18, 24));
        for (int y = 10; y <= 22; y += 4) {
            p.drawLine(QPointF(10, y), QPointF(22, y));
        }
    },
    [](QPainter& p) {  // 5 Find: a magnifier
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 3));
        p.setBrush(QColor(0xdd, 0xee, 0xff));
        p.drawEllipse(QRectF(5, 5, 15, 15));
        p.setPen(QPen(QColor(0x7a, 0x4a, 0x1a), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(27, 27));
    },
    [](QPainter& p) {  // 6 Options: a toothed wheel
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x60, 0x6a, 0x78));
        p.drawPath(star(QPointF(16, 16), 13, 9));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 4, 4);
    },
    [](QPainter& p) {  // 7 About: an "i" in a circle
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x5f, 0xa8));
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 10), 2.2, 2.2);
        p.drawRoundedRect(QRectF(14, 14, 4, 10), 1, 1);
    },
    [](QPainter& p) {  // 8 (unused)
        p.setPen(QPen(Qt::gray, 2));
        p.drawRect(QRectF(6, 6, 20, 20));
    },
    [](QPainter& p) {  // 9 Exit: a door with an arrow
        p.setPen(QPen(QColor(0x6b, 0x4a, 0x2a), 2));
        p.setBrush(QColor(0xc8, 0x9b, 0x6a));
        p.drawRect(QRectF(5, 4, 14, 24));
        p.setPen(QPen(QColor(0xc8, 0x28, 0x28), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 16), QPointF(29, 16));
        p.drawLine(QPointF(24, 11), QPointF(29, 16));
        p.drawLine(QPointF(24, 21), QPointF(29, 16));
    },
    [](QPainter& p) {  // 10 Add File: a sheet with a plus
        sheet(p, 5, 4);
        plus(p);
    },
    [](QPainter& p) {  // 11 Add Batch File: two sheets with a plus
        sheet(p, 3, 2);
        sheet(p, 8, 7);
        plus(p);
    },
    [](QPainter& p) {  // 12 Open File directory: an open folder
        p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 1.5));
        p.setBrush(QColor(0xf5, 0xc8, 0x4c));
        p.drawRect(QRectF(3, 8, 24, 18));
        p.setBrush(QColor(0xfb, 0xdc, 0x7a));
        p.drawPolygon(
            QPolygonF({QPointF(7, 14), QPointF(30, 14), QPointF(27, 26), QPointF(3, 26)}));
    },
    [](QPainter& p) { turnBack(p, false); },  // 13 Undo
    [](QPainter& p) { turnBack(p, true); },   // 14 Redo
};

}  // namespace

QIcon toolbarPicture(int image) {
    if (image < 0 || image >= int(kToolbarDrawings.size())) {
        image = 8;
    }
    return iconFrom(kToolbarDrawings[static_cast<std::size_t>(image)]);
}

QIcon programIcon() {
    return iconFrom([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
        p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
        // A chain link: two interlocked rounded bars.
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(6, 12, 13, 8), 4, 4);
        p.drawRoundedRect(QRectF(13, 12, 13, 8), 4, 4);
    });
}

const QIcon& ratePicture(int rate) {
    // A menu icon is square: a star filled from the bottom up to the rate.
    static const std::array<QIcon, 5> pictures = [] {
        std::array<QIcon, 5> icons;
        for (int r = 1; r <= 5; ++r) {
            icons[static_cast<std::size_t>(r - 1)] = iconFrom([r](QPainter& p) {
                const QPainterPath shape = star(QPointF(16, 17), 15, 6.5);
                p.setPen(QPen(QColor(0xa0, 0x70, 0x00), 1.5));
                p.setBrush(QColor(0xf2, 0xf2, 0xf2));
                p.drawPath(shape);
                p.save();
                p.setClipRect(QRectF(0, 32 - 6.4 * r, 32, 6.4 * r));
                p.setBrush(QColor(0xff, 0xb3, 0x00));
                p.drawPath(shape);
                p.restore();
            });
        }
        return icons;
    }();
    return pictures[static_cast<std::size_t>(std::clamp(rate, 1, 5) - 1)];
}

}  // namespace lh::gui

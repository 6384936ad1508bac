#include "gui/dropzone/ClockPictures.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace lh::gui {

namespace {

const QColor kRing(0x1f, 0x5f, 0xa8);
const QColor kDial(0xf7, 0xfa, 0xfd);
const QColor kHourMark(0x1f, 0x5f, 0xa8);
const QColor kMinuteMark(0x9a, 0xa7, 0xb8);
const QColor kDayNumber(0xa9, 0xc1, 0xde);
constexpr double kCentre = 43.5;  // the middle of pixel (43, 43)

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A mark from `inner` to `outer` pixels off the centre at minute mark `mark`.
void drawMark(QPainter& p, int mark, double inner, double outer) {
    const double angle = mark * M_PI / 30;
    const double dx = std::sin(angle), dy = -std::cos(angle);
    p.drawLine(QPointF(kCentre + inner * dx, kCentre + inner * dy),
               QPointF(kCentre + outer * dx, kCentre + outer * dy));
}

QImage drawFace() {
    QImage image = transparentImage(kFaceSize, kFaceSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRing);
    p.drawEllipse(QPointF(kCentre, kCentre), 42.5, 42.5);
    p.setBrush(kDial);
    p.drawEllipse(QPointF(kCentre, kCentre), 38.5, 38.5);
    for (int mark = 0; mark < 60; ++mark) {
        if (mark % 5 == 0) {
            const bool quarter = mark % 15 == 0;
            p.setPen(QPen(kHourMark, quarter ? 3 : 2, Qt::SolidLine, Qt::FlatCap));
            drawMark(p, mark, quarter ? 29 : 31, 36.5);
        } else {
            p.setPen(QPen(kMinuteMark, 1.2, Qt::SolidLine, Qt::RoundCap));
            drawMark(p, mark, 34.5, 36);
        }
    }
    p.end();
    return keyedOnMagenta(image, kRing);
}

QImage drawDay(int day) {
    QImage image = transparentImage(kDayWidth, kDayHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kDayNumber);
    p.drawText(image.rect(), Qt::AlignCenter, QString::number(day));
    p.end();
    return keyedOnMagenta(image, kDial);
}

}  // namespace

QImage keyedOnMagenta(const QImage& image, QColor under) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb base = under.rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a < 128) {
                line[x] = kKeyColour;
                continue;
            }
            const auto mix = [a](int top, int bottom) {
                return (top * a + bottom * (255 - a)) / 255;
            };
            line[x] = qRgb(mix(qRed(c), qRed(base)), mix(qGreen(c), qGreen(base)),
                           mix(qBlue(c), qBlue(base)));
        }
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

const QImage& clockFace() {
    static const QImage face = drawFace();
    return face;
}

const QImage& dayPicture(int day) {
    static const std::array<QImage, 31> days = [] {
        std::array<QImage, 31> all;
        for (int d = 1; d <= 31; ++d) {
            all[static_cast<std::size_t>(d - 1)] = drawDay(d);
        }
        return all;
    }();
    return days[static_cast<std::size_t>(std::clamp(day, 1, 31) - 1)];
}

}  // namespace lh::gui

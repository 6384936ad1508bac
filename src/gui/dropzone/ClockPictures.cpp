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

// `c` laid over `base` by its opacity, opaque.
QRgb over(QRgb c, QRgb base) {
    const int a = qAlpha(c);
    const auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a)) / 255; };
    return qRgb(mix(qRed(c), qRed(base)), mix(qGreen(c), qGreen(base)), mix(qBlue(c), qBlue(base)));
}

// `image`, the face drawn at `scale` > 1, keyed where the face at scale 1 is keyed.
QImage keyedAsFirstFace(const QImage& image, int scale) {
    const QImage& first = clockFace(1);
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] = first.pixel(x / scale, y / scale) == kKeyColour ? kKeyColour
                                                                      : over(line[x], kRing.rgb());
        }
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

QImage drawFace(int scale) {
    QImage image = transparentImage(kFaceSize * scale, kFaceSize * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
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
    return scale == 1 ? keyedOnMagenta(image, kRing) : keyedAsFirstFace(image, scale);
}

QImage drawDay(int day, int scale) {
    QImage image = transparentImage(kDayWidth * scale, kDayHeight * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    QFont font;
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kDayNumber);
    p.drawText(QRect(0, 0, kDayWidth, kDayHeight), Qt::AlignCenter, QString::number(day));
    p.end();
    return keyedOnMagenta(image, kDial);
}

int scaleIndex(int scale) {
    return std::clamp(scale, 1, kLargestScale) - 1;
}

}  // namespace

QImage keyedOnMagenta(const QImage& image, QColor under) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb base = under.rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qAlpha(c) < 128 ? kKeyColour : over(c, base);
        }
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

const QImage& clockFace(int scale) {
    static std::array<QImage, kLargestScale> faces;
    QImage& face = faces[static_cast<std::size_t>(scaleIndex(scale))];
    if (face.isNull()) {
        face = drawFace(scaleIndex(scale) + 1);
    }
    return face;
}

const QImage& dayPicture(int day, int scale) {
    static std::array<std::array<QImage, 31>, kLargestScale> days;
    QImage& picture = days[static_cast<std::size_t>(scaleIndex(scale))]
                          [static_cast<std::size_t>(std::clamp(day, 1, 31) - 1)];
    if (picture.isNull()) {
        picture = drawDay(std::clamp(day, 1, 31), scaleIndex(scale) + 1);
    }
    return picture;
}

}  // namespace lh::gui

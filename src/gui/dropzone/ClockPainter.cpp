#include "gui/dropzone/ClockPainter.h"

#include <QPainter>

#include <algorithm>

#include "commands/DropZoneClock.h"
#include "gui/dropzone/ClockPictures.h"

namespace lh::gui {

namespace {

// The window's pixel (x, y) is the face's pixel (x + 1, y + 1).
constexpr int kShift = 1;

void drawHand(QPainter& p, int position, int length, int width, const QColor& colour) {
    using commands::kClockCentre;
    const commands::HandEnd end = commands::handEnd(position, length);
    p.setPen(QPen(colour, width));
    p.drawLine(kClockCentre, kClockCentre, end.x, end.y);
}

// The day's pixels at their place on the face, but for its magenta ones.
void drawDay(QImage& face, const QImage& day, int scale) {
    for (int y = 0; y < day.height(); ++y) {
        for (int x = 0; x < day.width(); ++x) {
            const QRgb c = day.pixel(x, y);
            if (c != kKeyColour) {
                face.setPixel(kDayLeft * scale + x, kDayTop * scale + y, c);
            }
        }
    }
}

// The part of `face` the window shows: from its pixel (1, 1) on, magenta beyond its edge.
QImage shownPart(const QImage& face, int scale) {
    QImage shown(kFaceSize * scale, kFaceSize * scale, QImage::Format_RGB32);
    shown.fill(kKeyColour);
    QPainter p(&shown);
    p.drawImage(0, 0, face, kShift * scale, kShift * scale);
    p.end();
    shown.setDevicePixelRatio(scale);
    return shown;
}

}  // namespace

QImage clockPicture(const platform::LocalTime& time, const HandColours& colours, int scale) {
    scale = std::clamp(scale, 1, kLargestScale);
    QImage face = clockFace(scale);
    drawDay(face, dayPicture(time.day, scale), scale);
    {
        QPainter p(&face);
        p.scale(scale, scale);
        // Hands are drawn without smoothing: their ends are exact pixels and no blend with
        // the magenta around the face can appear.
        const commands::HandPositions hands = commands::handPositions(time);
        drawHand(p, hands.second, commands::kSecondHandLength, commands::kSecondHandWidth,
                 colours.second);
        drawHand(p, hands.minute, commands::kMinuteHandLength, commands::kMinuteHandWidth,
                 colours.minute);
        drawHand(p, hands.hour, commands::kHourHandLength, commands::kHourHandWidth, colours.hour);
    }
    return shownPart(face, scale);
}

QRegion clockShape() {
    const QImage shown = shownPart(clockFace(), 1);
    // Each run of pixels that are not magenta in a row is a rectangle one pixel high.
    QRegion shape;
    for (int y = 0; y < shown.height(); ++y) {
        int x = 0;
        while (x < shown.width()) {
            while (x < shown.width() && shown.pixel(x, y) == kKeyColour) {
                ++x;
            }
            const int start = x;
            while (x < shown.width() && shown.pixel(x, y) != kKeyColour) {
                ++x;
            }
            if (x > start) {
                shape += QRect(start, y, x - start, 1);
            }
        }
    }
    return shape;
}

}  // namespace lh::gui

#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

#include "platform/Clock.h"

namespace lh::gui {

// The colours of the clock's hands.
struct HandColours {
    QColor hour;
    QColor minute;
    QColor second;
};

// What the DropZone window shows at `time`: the face with the day of the month, the second, minute
// and hour hands drawn over it (in that order), the whole taken from the face's pixel (1, 1) on.
// 86 x 86 pixels at `scale` device pixels a pixel (its device pixel ratio); pixels off the face
// are magenta.
QImage clockPicture(const platform::LocalTime& time, const HandColours& colours, int scale = 1);

// The window's shape: the pixels of clockPicture() that are not magenta, that is the face shifted
// by the same (1, 1).
QRegion clockShape();

}  // namespace lh::gui

#pragma once

#include <QColor>
#include <QImage>

namespace lh::gui {

// The DropZone's pictures, drawn in code: the clock face and the day-of-month numbers. Both are
// keyed: every pixel is either exactly magenta (0xFF00FF, "not there") or an opaque colour.

// The colour that marks a pixel as not there.
inline constexpr QRgb kKeyColour = 0xFFFF00FF;
// The face picture's size, and the day pictures' size and place on it.
inline constexpr int kFaceSize = 86;
inline constexpr int kDayWidth = 40;
inline constexpr int kDayHeight = 31;
inline constexpr int kDayLeft = 23;
inline constexpr int kDayTop = 24;

// Pictures are drawn at 1 to kLargestScale device pixels a pixel (for high-density screens).
inline constexpr int kLargestScale = 4;

// The round clock face, 86 x 86 pixels at `scale` (clamped to 1..kLargestScale), centred on
// (43, 43), magenta around it. At every scale a device pixel is magenta exactly where its pixel
// of the face at scale 1 is, so one window shape fits them all. Made once each.
const QImage& clockFace(int scale = 1);
// The number `day` (1..31; others clamped), 40 x 31 pixels at `scale`, on magenta. Made once
// each.
const QImage& dayPicture(int day, int scale = 1);

// `image` keyed: a pixel under half opacity becomes exactly magenta; any other is laid over
// `under` and made opaque, so smoothed edges blend into that colour and never turn pink.
QImage keyedOnMagenta(const QImage& image, QColor under);

}  // namespace lh::gui

#pragma once

#include <QIcon>
#include <QPixmap>

namespace lh::gui {

// The item list's pictures, drawn in code.
inline constexpr int kStarSize = 14;  // stars are 14 x 14 and painted 14 pixels apart

// A full (gold) or an empty (outlined) rating star.
QPixmap starPixmap(bool full);
// The picture in front of every row: a page with a link.
QIcon itemRowIcon();
// The picture in the image column's header.
QIcon itemHeaderIcon();

}  // namespace lh::gui

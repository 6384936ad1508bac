#pragma once

#include <QIcon>

namespace lh::gui {

// The program's own pictures, drawn in code so that they are crisp at any size.

// The toolbar picture with index `image` of the button table (0 Add URL ... 9 Exit). Qt greys it
// for a disabled button.
QIcon toolbarPicture(int image);
// The icon of the program, the window and the tray.
QIcon programIcon();
// One to five stars for an item's rate (values outside 1..5 are clamped). Cached.
const QIcon& ratePicture(int rate);

}  // namespace lh::gui

#pragma once

#include "settings/SkinLook.h"

class QAbstractScrollArea;

namespace lh::gui {

// The largest wallpaper taken, in pixels each way: a bigger one is refused before it is decoded.
constexpr int kMaxWallpaperSide = 4096;

// Gives a list or tree its look: the text colour, and a background of the colour or, when
// `look.wallpaper` names a regular file holding a picture it may show, that picture tiled. False
// when a wallpaper was named but cannot be shown (the colour is used then).
bool applyPaneLook(QAbstractScrollArea& pane, const settings::PaneLook& look);

}  // namespace lh::gui

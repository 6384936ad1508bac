#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "settings/ScreenFit.h"

namespace lh::commands {

// Where the DropZone goes and how opaque it is.

// The DropZone window is this many pixels wide and high.
inline constexpr int kDropZoneSize = 86;

struct DropZonePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DropZonePoint&) const = default;
};

// The screens' available areas (work areas without panels) and which of them is the primary one.
struct DesktopScreens {
    std::vector<settings::ScreenRect> available;
    std::size_t primary = 0;
};

// Where a DropZone stored at (`x`, `y`) is shown. A left edge within 17 pixels of the primary
// screen's right edge (or beyond it) moves 20 pixels left; then a window that does not lie wholly
// on some screen goes to (6, 5) of the primary one, so it can always be found and dragged.
// Without any screen the position is kept.
DropZonePoint placeDropZone(int x, int y, const DesktopScreens& screens);

// True when the window at (`x`, `y`) lies wholly on one of the screens.
bool dropZoneWhollyOnScreen(int x, int y, const DesktopScreens& screens);

// The DropZone's opacity 0..255 from the colour settings' `Flag` and `Alpha`: fully opaque unless
// bit 0 of `flag` asks for translucency; then `alpha`, but never below 32, so that the window
// does not vanish.
int dropZoneOpacity(std::uint8_t flag, std::uint8_t alpha);

}  // namespace lh::commands

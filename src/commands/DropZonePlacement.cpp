#include "commands/DropZonePlacement.h"

#include <algorithm>

namespace lh::commands {

namespace {

// Where the DropZone's left edge counts as too close to the right edge, and how far it then moves.
constexpr int kRightMargin = 17;
constexpr int kRightStep = 20;
// The place of a DropZone that would be out of reach, relative to the primary screen.
constexpr int kHomeX = 6;
constexpr int kHomeY = 5;
// Below this opacity the DropZone could not be seen to be dragged back.
constexpr int kLeastOpacity = 32;
constexpr std::uint8_t kTranslucentBit = 0x01;

bool contains(const settings::ScreenRect& screen, int x, int y) {
    // In 64 bits: a stored position may be near the ends of the 32-bit range.
    const auto right = std::int64_t{screen.left} + screen.width;
    const auto bottom = std::int64_t{screen.top} + screen.height;
    return x >= screen.left && y >= screen.top && std::int64_t{x} + kDropZoneSize <= right &&
           std::int64_t{y} + kDropZoneSize <= bottom;
}

}  // namespace

bool dropZoneWhollyOnScreen(int x, int y, const DesktopScreens& screens) {
    return std::any_of(screens.available.begin(), screens.available.end(),
                       [x, y](const settings::ScreenRect& s) { return contains(s, x, y); });
}

DropZonePoint placeDropZone(int x, int y, const DesktopScreens& screens) {
    if (screens.primary >= screens.available.size()) {
        return {x, y};
    }
    const settings::ScreenRect& primary = screens.available[screens.primary];
    if (std::int64_t{x} > std::int64_t{primary.left} + primary.width - kRightMargin) {
        x -= kRightStep;
    }
    if (dropZoneWhollyOnScreen(x, y, screens)) {
        return {x, y};
    }
    return {primary.left + kHomeX, primary.top + kHomeY};
}

int dropZoneOpacity(std::uint8_t flag, std::uint8_t alpha) {
    if ((flag & kTranslucentBit) == 0) {
        return 255;
    }
    return std::max<int>(alpha, kLeastOpacity);
}

}  // namespace lh::commands

#pragma once

#include <optional>
#include <vector>

namespace lh::settings {

// A rectangle on the desktop, in pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Where a window stored at `window` comes back: wholly on the screen (of `screens`, their
// available areas) it overlaps most, moved the least distance and shrunk only when larger than
// that screen. Nothing when it overlaps no screen at all.
std::optional<ScreenRect> fitOnScreens(const ScreenRect& window,
                                       const std::vector<ScreenRect>& screens);

}  // namespace lh::settings

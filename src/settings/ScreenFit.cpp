#include "settings/ScreenFit.h"

#include <algorithm>

namespace lh::settings {

namespace {

long long overlapArea(const ScreenRect& a, const ScreenRect& b) {
    const long long w = std::min<long long>(a.left + a.width, b.left + b.width) -
                        std::max<long long>(a.left, b.left);
    const long long h =
        std::min<long long>(a.top + a.height, b.top + b.height) - std::max<long long>(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The start of a span `length` long moved the least to lie within [lo, lo + room).
int clampSpan(int start, int length, int lo, int room) {
    return std::clamp(start, lo, lo + room - length);
}

}  // namespace

std::optional<ScreenRect> fitOnScreens(const ScreenRect& window,
                                       const std::vector<ScreenRect>& screens) {
    const ScreenRect* best = nullptr;
    long long bestArea = 0;
    for (const ScreenRect& screen : screens) {
        const long long area = overlapArea(window, screen);
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    ScreenRect fitted = window;
    fitted.width = std::min(window.width, best->width);
    fitted.height = std::min(window.height, best->height);
    fitted.left = clampSpan(window.left, fitted.width, best->left, best->width);
    fitted.top = clampSpan(window.top, fitted.height, best->top, best->height);
    return fitted;
}

}  // namespace lh::settings

#pragma once

#include <QColor>

#include <cstdint>

namespace lh::gui {

// A colour setting, stored as 0x00BBGGRR (red in the low byte).
inline QColor storedColour(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace lh::gui

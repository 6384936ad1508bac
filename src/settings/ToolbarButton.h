#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "settings/SettingsBackend.h"

namespace lh::settings {

// One toolbar button as stored in `Button` of key `ToolBar`: a 20-byte record, little-endian.
struct ToolbarButton {
    static constexpr std::size_t kRecordBytes = 20;
    // The most of the stored value that is read (50 records); buttons beyond are cut off.
    static constexpr std::size_t kMaxBytes = 1000;
    static constexpr std::uint8_t kSeparatorStyle = 1;

    std::int32_t image = 0;      // image index
    std::int32_t command = 0;    // command id
    std::uint8_t state = 0;      // button state bits
    std::uint8_t style = 0;      // 1 = separator
    std::uint32_t data = 0;      // application data
    std::int32_t textIndex = 0;  // text index

    bool operator==(const ToolbarButton&) const = default;

    bool isSeparator() const { return style == kSeparatorStyle; }

    // The stored value for `buttons` (the two reserved bytes are zero).
    static Bytes encode(const std::vector<ToolbarButton>& buttons);
    // The first 50 buttons of a stored value, keeping those `known` accepts (separators always);
    // nothing when the value is empty, not a whole number of records or left with no button, so
    // that the default buttons are used.
    static std::optional<std::vector<ToolbarButton>> decode(
        const Bytes& bytes, const std::function<bool(const ToolbarButton&)>& known);
};

}  // namespace lh::settings

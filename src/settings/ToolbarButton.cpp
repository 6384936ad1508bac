#include "settings/ToolbarButton.h"

#include <algorithm>

namespace lh::settings {

namespace {

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

std::uint32_t get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

Bytes ToolbarButton::encode(const std::vector<ToolbarButton>& buttons) {
    Bytes bytes;
    bytes.reserve(buttons.size() * kRecordBytes);
    for (const ToolbarButton& b : buttons) {
        put32(bytes, static_cast<std::uint32_t>(b.image));
        put32(bytes, static_cast<std::uint32_t>(b.command));
        bytes.push_back(b.state);
        bytes.push_back(b.style);
        bytes.push_back(0);
        bytes.push_back(0);
        put32(bytes, b.data);
        put32(bytes, static_cast<std::uint32_t>(b.textIndex));
    }
    return bytes;
}

std::optional<std::vector<ToolbarButton>> ToolbarButton::decode(
    const Bytes& bytes, const std::function<bool(const ToolbarButton&)>& known) {
    if (bytes.empty() || bytes.size() % kRecordBytes != 0) {
        return std::nullopt;
    }
    std::vector<ToolbarButton> buttons;
    // A toolbar holds at most 50 buttons; more are cut off.
    const std::size_t end = std::min(bytes.size(), kMaxBytes);
    for (std::size_t at = 0; at < end; at += kRecordBytes) {
        const std::uint8_t* r = &bytes[at];
        ToolbarButton b;
        b.image = static_cast<std::int32_t>(get32(r));
        b.command = static_cast<std::int32_t>(get32(r + 4));
        b.state = r[8];
        b.style = r[9];
        b.data = get32(r + 12);
        b.textIndex = static_cast<std::int32_t>(get32(r + 16));
        if (b.isSeparator() || !known || known(b)) {
            buttons.push_back(b);
        }
    }
    if (buttons.empty()) {
        return std::nullopt;  // a stored toolbar is never empty
    }
    return buttons;
}

}  // namespace lh::settings

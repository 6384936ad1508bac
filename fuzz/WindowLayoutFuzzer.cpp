// Feeds arbitrary bytes to the decoders of the stored window layout: as a window placement
// record and as a pane rectangle's text. What decodes encodes again to the same bytes (the
// placement's length field is always written as 44) and decodes again to the same value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/WindowLayout.h"

namespace {

using lh::settings::Bytes;
using lh::settings::PaneRect;
using lh::settings::WindowPlacement;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkPlacement(const Bytes& bytes) {
    const auto placement = WindowPlacement::decode(bytes);
    check(placement.has_value() == (bytes.size() == WindowPlacement::kBytes));
    if (!placement) {
        return;
    }
    Bytes expected = bytes;
    expected[0] = static_cast<std::uint8_t>(WindowPlacement::kBytes);
    expected[1] = expected[2] = expected[3] = 0;
    const Bytes encoded = placement->encode();
    check(encoded == expected);
    check(WindowPlacement::decode(encoded) == placement);
}

void checkPaneRect(std::string_view text) {
    const auto rect = PaneRect::parse(text);
    if (!rect) {
        return;
    }
    const auto formatted = rect->format();
    check(formatted && formatted->size() == 16);
    check(PaneRect::parse(*formatted) == rect);
    // Only a "-0" field may be written differently ("-000" comes back as "0000").
    for (std::size_t at = 0; at < 16; at += 4) {
        const std::string_view field = text.substr(at, 4);
        check(field == std::string_view(*formatted).substr(at, 4) ||
              field.find_first_not_of("-0") == std::string_view::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkPlacement(Bytes(data, data + size));
    checkPaneRect(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

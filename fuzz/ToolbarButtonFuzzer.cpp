// Feeds arbitrary bytes to the decoder of the stored toolbar. A value that decodes encodes again
// to the same bytes (less the reserved ones and what lies beyond 50 buttons) and decodes again to
// the same buttons; a filter keeps exactly the buttons it accepts and every separator.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "settings/ToolbarButton.h"

namespace {

using lh::settings::Bytes;
using lh::settings::ToolbarButton;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool evenCommand(const ToolbarButton& b) {
    return b.command % 2 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const auto all = ToolbarButton::decode(bytes, nullptr);
    const bool wellFormed = size > 0 && size % ToolbarButton::kRecordBytes == 0;
    check(all.has_value() == wellFormed);
    if (!all) {
        check(!ToolbarButton::decode(bytes, evenCommand));
        return 0;
    }

    const std::size_t used = std::min(size, ToolbarButton::kMaxBytes);
    check(all->size() == used / ToolbarButton::kRecordBytes);
    Bytes expected(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(used));
    for (std::size_t at = 0; at < used; at += ToolbarButton::kRecordBytes) {
        expected[at + 10] = 0;  // the two reserved bytes are written as zero
        expected[at + 11] = 0;
    }
    const Bytes encoded = ToolbarButton::encode(*all);
    check(encoded == expected);
    check(ToolbarButton::decode(encoded, nullptr) == all);

    std::vector<ToolbarButton> kept;
    for (const ToolbarButton& b : *all) {
        if (b.isSeparator() || evenCommand(b)) {
            kept.push_back(b);
        }
    }
    const auto filtered = ToolbarButton::decode(bytes, evenCommand);
    check(kept.empty() ? !filtered : filtered == kept);
    return 0;
}

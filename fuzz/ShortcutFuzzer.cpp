// Feeds arbitrary bytes to the shortcut-file reader: the address it finds is trimmed, valid
// UTF-8 and a single line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bookmarks/ShortcutFile.h"
#include "text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string address =
        lh::bookmarks::readShortcutAddress(bytes.substr(0, lh::bookmarks::kShortcutReadLimit));
    if (!lh::text::isValidUtf8(address) || address.find('\n') != std::string::npos) {
        std::abort();
    }
    if (!address.empty() && (address.front() == ' ' || address.back() == ' ')) {
        std::abort();
    }
    return 0;
}

// Feeds arbitrary text to the profiles.ini reader. Every folder it returns is made of the Firefox
// folder and a value from the text (nothing else is invented), and CRLF line ends read as LF.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bookmarks/FirefoxProfile.h"

namespace {

const std::string kFolder = "/home/u/.mozilla/firefox";

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string withCrLf(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> found = lh::bookmarks::profilesFromIni(text, kFolder);
    for (const std::string& folder : found) {
        check(!folder.empty());
        // Either a Path= or Default= value as written, or a value below the folder.
        const bool asWritten = text.find(folder) != std::string_view::npos;
        const bool below = folder.size() > kFolder.size() + 1 &&
                           folder.rfind(kFolder + "/", 0) == 0 &&
                           text.find(folder.substr(kFolder.size() + 1)) != std::string_view::npos;
        check(asWritten || below);
    }
    check(lh::bookmarks::profilesFromIni(withCrLf(text), kFolder) == found);
    return 0;
}

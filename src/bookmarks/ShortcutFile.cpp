#include "bookmarks/ShortcutFile.h"

#include "bookmarks/TextDecoder.h"
#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::bookmarks {

std::string readShortcutAddress(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) {
            eol = text.size();  // the last line counts without a line break
        }
        const std::string_view line = text::trimBlanks(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (!line.empty() && line.front() == '[') {
            inSection = text::equalsIgnoringAsciiCase(line, "[InternetShortcut]");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        if (!text::equalsIgnoringAsciiCase(text::trimBlanks(line.substr(0, equals)), "URL")) {
            continue;
        }
        const std::string_view value = text::trimBlanks(line.substr(equals + 1));
        if (!value.empty()) {
            return toUtf8(value);
        }
    }
    return {};
}

}  // namespace lh::bookmarks

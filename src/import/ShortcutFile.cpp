#include "import/ShortcutFile.h"

#include "import/TextCollector.h"
#include "import/TextDecoder.h"

namespace lh::import {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && TextCollector::isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && TextCollector::isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool equalsAsciiIgnoringCase(std::string_view a, std::string_view lowerB) {
    if (a.size() != lowerB.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] | 0x20) : a[i];
        if (c != lowerB[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

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
        const std::string_view line = trim(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (!line.empty() && line.front() == '[') {
            inSection = equalsAsciiIgnoringCase(line, "[internetshortcut]");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        if (!equalsAsciiIgnoringCase(trim(line.substr(0, equals)), "url")) {
            continue;
        }
        const std::string_view value = trim(line.substr(equals + 1));
        if (!value.empty()) {
            return toUtf8(value);
        }
    }
    return {};
}

}  // namespace lh::import

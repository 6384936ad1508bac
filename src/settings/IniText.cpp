#include "settings/IniText.h"

#include "text/Ascii.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::settings {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view s) {
    return text::trimTrailingBlanks(text::trimLeadingBlanks(s));
}

std::string lowerName(std::string_view name) {
    return text::toLowerAscii(trimBlanks(name));
}

// Calls `line` for each line of `text`, without its end.
template <typename Fn>
void forEachLine(std::string_view text, Fn&& line) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        line(text.substr(0, end));
        if (end == std::string_view::npos) {
            return;
        }
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
}

}  // namespace

IniText::IniText(std::string_view text, std::size_t maxValueBytes) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::optional<std::string> section;
    forEachLine(text, [&](std::string_view line) {
        line = text::trimLeadingBlanks(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            return;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = close == std::string_view::npos
                          ? std::nullopt
                          : std::optional(lowerName(line.substr(1, close - 1)));
            return;
        }
        const std::size_t equals = line.find('=');
        if (!section || equals == std::string_view::npos) {
            return;
        }
        const std::string_view value = trimBlanks(line.substr(equals + 1));
        // try_emplace keeps the first value of a key.
        m_values.try_emplace({*section, lowerName(line.substr(0, equals))},
                             text::cutUtf8(value, maxValueBytes));
    });
}

std::optional<std::string_view> IniText::value(std::string_view section,
                                               std::string_view key) const {
    const auto it = m_values.find(std::pair(lowerName(section), lowerName(key)));
    if (it == m_values.end()) {
        return std::nullopt;
    }
    return std::string_view(it->second);
}

std::string IniText::valueOr(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
    return std::string(value(section, key).value_or(fallback));
}

}  // namespace lh::settings

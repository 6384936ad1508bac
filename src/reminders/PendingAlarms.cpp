#include "reminders/PendingAlarms.h"

#include <charconv>

#include "reminders/CivilTime.h"

namespace lh::reminders {

namespace {

constexpr std::size_t kFields = 7;

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

template <typename Number>
bool readNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

std::optional<SnoozeEntry> decodeLine(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    SnoozeEntry entry;
    unsigned rate = 0;
    if (fields.size() != kFields || !readNumber(fields[0], entry.dueUtc) ||
        !readNumber(fields[1], rate) || rate > 255) {
        return std::nullopt;
    }
    Announcement& a = entry.announcement;
    a.rate = static_cast<std::uint8_t>(rate);
    if (!fields[2].empty()) {
        a.missedAt = parseMinute(fields[2]);
        if (!a.missedAt) {
            return std::nullopt;
        }
    }
    a.title = unescaped(fields[3]);
    a.comment = unescaped(fields[4]);
    a.category = unescaped(fields[5]);
    a.sound = unescaped(fields[6]);
    return entry;
}

}  // namespace

std::string encodePendingAlarms(const std::vector<SnoozeEntry>& entries) {
    std::string out;
    for (const SnoozeEntry& e : entries) {
        const Announcement& a = e.announcement;
        out += std::to_string(e.dueUtc) + '\t' + std::to_string(a.rate) + '\t';
        if (a.missedAt) {
            out += formatMinute(*a.missedAt);
        }
        for (const std::string* text : {&a.title, &a.comment, &a.category, &a.sound}) {
            out += '\t';
            appendEscaped(out, *text);
        }
        out += '\n';
    }
    return out;
}

std::vector<SnoozeEntry> decodePendingAlarms(std::string_view text) {
    std::vector<SnoozeEntry> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (auto entry = decodeLine(text.substr(0, end))) {
            entries.push_back(std::move(*entry));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return entries;
}

}  // namespace lh::reminders

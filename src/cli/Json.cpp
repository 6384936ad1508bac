#include "cli/Json.h"

#include <cstdio>

#include "text/Utf8.h"

namespace lh::cli {

std::string jsonString(std::string_view s) {
    std::string out = "\"";
    std::size_t pos = 0;
    while (pos < s.size()) {
        const char32_t cp = text::decodeUtf8(s, pos);
        switch (cp) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (cp < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(cp));
                    out += buf;
                } else {
                    text::appendUtf8(out, cp);
                }
        }
    }
    out += '"';
    return out;
}

void JsonLine::key(std::string_view name) {
    if (!m_body.empty()) {
        m_body += ',';
    }
    m_body += jsonString(name);
    m_body += ':';
}

JsonLine& JsonLine::addNumber(std::string_view name, std::int64_t value) {
    key(name);
    m_body += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view name, std::string_view value) {
    key(name);
    m_body += jsonString(value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view name, bool value) {
    key(name);
    m_body += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::add(std::string_view name, const std::vector<std::string>& values) {
    key(name);
    m_body += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        m_body += i == 0 ? "" : ",";
        m_body += jsonString(values[i]);
    }
    m_body += ']';
    return *this;
}

}  // namespace lh::cli

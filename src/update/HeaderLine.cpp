#include "update/HeaderLine.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::update {

namespace {

// Each known name is followed by ":" and its code; a name is found by plain substring search.
constexpr std::string_view kNameTable =
    "-http:1:location:2:last-modified:3:content-length:4:set-cookie:5:content-range:6:ftp:7:"
    "content-disposition:8:https:9:transfer-encoding:0:";

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code of `name`, or -1 when its first occurrence in the table is not a whole entry.
int nameCode(std::string_view name) {
    const std::size_t at = kNameTable.find(name);
    if (at == std::string_view::npos) {
        return -1;
    }
    const std::size_t colon = at + name.size();
    if (colon + 1 >= kNameTable.size() || kNameTable[colon] != ':' ||
        !isDigit(kNameTable[colon + 1])) {
        return -1;
    }
    return kNameTable[colon + 1] - '0';
}

// Adds a digit to `value`, staying at `limit` instead of overflowing.
template <typename T>
T addDigit(T value, char digit, T limit) {
    const T d = static_cast<T>(digit - '0');
    return value > (limit - d) / 10 ? limit : static_cast<T>(value * 10 + d);
}

std::int64_t readDigits(std::string_view& s) {
    std::int64_t value = 0;
    while (!s.empty() && isDigit(s.front())) {
        value = addDigit(value, s.front(), std::numeric_limits<std::int64_t>::max());
        s.remove_prefix(1);
    }
    return value;
}

// A decimal number with an optional sign, as far as its digits go; negative and missing give 0.
std::int64_t readLength(std::string_view value) {
    value = text::trimLeadingBlanks(value);
    const bool negative = !value.empty() && value.front() == '-';
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        value.remove_prefix(1);
    }
    const std::int64_t n = readDigits(value);
    return negative ? 0 : n;
}

std::uint8_t toVersionPart(std::int64_t n) {
    return static_cast<std::uint8_t>(std::min<std::int64_t>(n, 255));
}

// "HTTP/1.1 200 OK": from the sixth character, three runs of digits, each ended by a non-digit.
void parseStatusLine(std::string_view line, HttpResponse& response) {
    std::int64_t numbers[3] = {0, 0, 0};
    std::string_view rest = line.size() > 5 ? line.substr(5) : std::string_view();
    for (std::int64_t& n : numbers) {
        if (rest.empty()) {
            break;
        }
        n = readDigits(rest);
        if (!rest.empty()) {
            rest.remove_prefix(1);  // the character that ended the number
        }
    }
    response.versionMajor = toVersionPart(numbers[0]);
    response.versionMinor = toVersionPart(numbers[1]);
    response.status = static_cast<std::int32_t>(
        std::min<std::int64_t>(numbers[2], std::numeric_limits<std::int32_t>::max()));
}

int parseLocation(std::string_view value, HttpResponse& response, const RequestTarget& target) {
    if (value.size() < 3) {
        return kBadLocation;
    }
    if (value.front() == '/') {
        response.location = "Http://" + target.hostText + std::string(value);
    } else if (value.front() == '.' || value.find("://") == std::string_view::npos) {
        response.location = "Http://" + target.hostText + target.folder + std::string(value);
    } else {
        response.location = std::string(value);
    }
    return 0;
}

// "bytes a-b/total" gives the length b - a + 1 when b is at least a.
void parseContentRange(std::string_view lowered, HttpResponse& response) {
    const std::size_t bytes = lowered.find("bytes");
    if (bytes == std::string_view::npos) {
        return;
    }
    std::string_view range = lowered.substr(bytes + 5);
    range = text::trimBlanks(range.substr(0, range.find('/')));
    if (!range.empty() && range.front() == '=') {
        range = text::trimLeadingBlanks(range.substr(1));
    }
    if (range.empty() || !isDigit(range.front())) {
        return;
    }
    const std::int64_t first = readDigits(range);
    if (range.size() < 2 || range.front() != '-' || !isDigit(range[1])) {
        return;
    }
    range.remove_prefix(1);
    const std::int64_t last = readDigits(range);
    if (!range.empty() || last < first) {
        return;
    }
    const std::int64_t span = last - first;
    response.contentLength = span == std::numeric_limits<std::int64_t>::max() ? span : span + 1;
}

}  // namespace

int parseHeaderLine(std::string_view line, HttpResponse& response, const RequestTarget& target) {
    const std::string lowered = text::toLowerAscii(line);
    const std::size_t colon = lowered.find(':');
    std::string_view name = std::string_view(lowered).substr(0, colon);
    if (colon == std::string::npos) {
        if (lowered.find("http/") == std::string::npos) {
            return 0;
        }
        name = "http";
    }
    const int code = nameCode(name);
    const std::string_view value =
        colon == std::string::npos ? std::string_view() : text::trimBlanks(line.substr(colon + 1));
    switch (code) {
        case 1:
            parseStatusLine(line, response);
            return 0;
        case 2:
            return parseLocation(value, response, target);
        case 4:
            response.contentLength = readLength(value);
            return 0;
        case 5: {
            const std::string_view cookie = line.size() > 11 ? line.substr(11) : "";
            response.cookie = std::string(text::trimBlanks(cookie.substr(0, cookie.find(';'))));
            return 0;
        }
        case 6:
            parseContentRange(lowered, response);
            return 0;
        case 0:
            if (text::toLowerAscii(value).find("chunked") != std::string::npos) {
                response.chunked = true;
            }
            return value.empty() ? 0 : 1;
        default:  // unknown, "last-modified", or a code of 7 and up
            return 0;
    }
}

}  // namespace lh::update

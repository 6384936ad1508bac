#pragma once

#include <string_view>

namespace lh::text {

// What this program calls a blank when it trims a text or splits one at blanks: space, tab, line
// feed, vertical tab, form feed and carriage return (the white space of C's isspace in the "C"
// locale). Every other byte, NUL and the bytes of UTF-8 sequences included, is not a blank.

// True when `c` is one of the six blanks.
constexpr bool isBlank(char c) {
    // '\t', '\n', '\v', '\f' and '\r' are the consecutive codes 9 to 13.
    return c == ' ' || static_cast<unsigned char>(c - '\t') <= '\r' - '\t';
}

// `s` without leading blanks.
constexpr std::string_view trimLeadingBlanks(std::string_view s) {
    std::size_t first = 0;
    while (first < s.size() && isBlank(s[first])) {
        ++first;
    }
    return s.substr(first);
}

// `s` without trailing blanks.
constexpr std::string_view trimTrailingBlanks(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && isBlank(s[end - 1])) {
        --end;
    }
    return s.substr(0, end);
}

// `s` without leading and trailing blanks.
constexpr std::string_view trimBlanks(std::string_view s) {
    return trimTrailingBlanks(trimLeadingBlanks(s));
}

}  // namespace lh::text

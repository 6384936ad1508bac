#pragma once

#include <string_view>

namespace lh::text {

// The blanks that trimming removes: space, tab, carriage return and line feed.
inline constexpr std::string_view kBlanks = " \t\r\n";

// `s` without leading and trailing blanks.
inline std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// `s` without trailing blanks.
inline std::string_view trimTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

}  // namespace lh::text

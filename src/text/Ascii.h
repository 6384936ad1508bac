#pragma once

#include <string>
#include <string_view>

namespace lh::text {

// Letter case of the 26 ASCII letters only, for names that formats define in ASCII (file
// extensions, section and key names, tag and attribute names). User texts ignore case through
// CaseFold.h instead. Bytes from 0x80 up are never changed, so UTF-8 stays intact.

// True for the bytes 0x00 to 0x7F.
constexpr bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// `c` with 'A' to 'Z' turned into 'a' to 'z'; every other byte as it is.
constexpr char toLowerAscii(char c) {
    // One unsigned comparison, no branch: hot loops run this over every byte.
    return static_cast<unsigned char>(c - 'A') <= 'Z' - 'A' ? static_cast<char>(c | 0x20) : c;
}

// `s` with every ASCII letter in lower case.
inline std::string toLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = toLowerAscii(c);
    }
    return out;
}

// True when `a` and `b` have the same length and the same bytes once ASCII letters are lowered.
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The first position at or after `from` where `needle` stands in `haystack` with ASCII letters
// compared without regard to case; npos when it does not.
constexpr std::size_t findIgnoringAsciiCase(std::string_view haystack, std::string_view needle,
                                            std::size_t from = 0) {
    for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
        if (equalsIgnoringAsciiCase(haystack.substr(i, needle.size()), needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace lh::text

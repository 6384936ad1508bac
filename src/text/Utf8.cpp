#include "text/Utf8.h"

namespace lh::text {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed sequence starting at `pos`, or 0 when it is ill-formed.
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const std::size_t left = s.size() - pos;
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return left >= 2 && isContinuation(at(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(at(1)) || !isContinuation(at(2))) {
            return 0;
        }
        if ((lead == 0xE0 && at(1) < 0xA0) || (lead == 0xED && at(1) > 0x9F)) {
            return 0;  // overlong, or a UTF-16 surrogate
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(at(1)) || !isContinuation(at(2)) ||
            !isContinuation(at(3))) {
            return 0;
        }
        if ((lead == 0xF0 && at(1) < 0x90) || (lead == 0xF4 && at(1) > 0x8F)) {
            return 0;  // overlong, or above U+10FFFF
        }
        return 4;
    }
    return 0;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t n = sequenceLength(bytes, pos);
        if (n == 0) {
            return false;
        }
        pos += n;
    }
    return true;
}

std::string_view cutUtf8(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) {
        return s;
    }
    std::size_t end = maxBytes;
    // Step back over continuation bytes to the start of the character that straddles the cut.
    while (end > 0 && isContinuation(static_cast<unsigned char>(s[end]))) {
        --end;
    }
    return s.substr(0, end);
}

void appendUtf8(std::string& out, char32_t cp) {
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        cp = 0xFFFD;
    }
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t decodeUtf8(std::string_view s, std::size_t& pos) {
    const std::size_t n = sequenceLength(s, pos);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    char32_t cp = 0xFFFD;
    switch (n) {
        case 1:
            cp = byte(0);
            break;
        case 2:
            cp = (char32_t(byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
            break;
        case 3:
            cp = (char32_t(byte(0) & 0x0F) << 12) | (char32_t(byte(1) & 0x3F) << 6) |
                 (byte(2) & 0x3F);
            break;
        case 4:
            cp = (char32_t(byte(0) & 0x07) << 18) | (char32_t(byte(1) & 0x3F) << 12) |
                 (char32_t(byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
            break;
        default:
            break;
    }
    pos += n == 0 ? 1 : n;
    return cp;
}

}  // namespace lh::text

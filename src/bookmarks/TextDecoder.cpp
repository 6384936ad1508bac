#include "bookmarks/TextDecoder.h"

#include <cstdint>
#include <cstring>

#include "text/Ascii.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::bookmarks {

namespace {

// Windows-1252 bytes 0x80-0x9F; the five bytes it leaves unassigned map to the C1 controls of
// the same value, as the system's own conversion does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t windows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t(byte);
}

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

// Strict UTF-8 test, quick over ASCII. A character never contains an ASCII byte, so every run
// of bytes with the high bit set must be whole characters on its own.
bool isUtf8(std::string_view bytes) {
    const auto isAscii = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) & 0x80) == 0;
    };
    std::size_t pos = 0;
    const std::size_t size = bytes.size();
    while (pos < size) {
        std::uint64_t word;
        while (pos + 8 <= size &&
               (std::memcpy(&word, bytes.data() + pos, 8), (word & 0x8080808080808080ULL) == 0)) {
            pos += 8;
        }
        while (pos < size && isAscii(pos)) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < size && !isAscii(pos)) {
            ++pos;
        }
        if (pos > start && !text::isValidUtf8(bytes.substr(start, pos - start))) {
            return false;
        }
    }
    return true;
}

// How far into a file a META tag is looked for, and the longest tag looked at.
constexpr std::size_t kMetaSearch = 16 * 1024;
constexpr std::size_t kMetaTagLimit = 1024;
constexpr std::size_t kCharsetNameLimit = 40;

bool isCharsetNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-_.:+()").find(c) != std::string_view::npos;
}

// The name after "charset" and "=" in one tag, or "".
std::string charsetIn(std::string_view tag) {
    const std::size_t at = text::findIgnoringAsciiCase(tag, "charset");
    if (at == std::string_view::npos) {
        return {};
    }
    std::string_view rest = text::trimLeadingBlanks(tag.substr(at + 7));
    if (!rest.starts_with('=')) {
        return {};
    }
    rest = text::trimLeadingBlanks(rest.substr(1));
    while (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        rest.remove_prefix(1);
    }
    if (rest.empty() || !isCharsetNameCharacter(rest.front()) ||
        std::string_view("-_.:+()").find(rest.front()) != std::string_view::npos) {
        return {};  // a name starts with a letter or digit
    }
    std::size_t length = 0;
    while (length < rest.size() && isCharsetNameCharacter(rest[length])) {
        ++length;
    }
    const bool ends = length == rest.size() || text::isBlank(rest[length]) ||
                      std::string_view("\"';>/").find(rest[length]) != std::string_view::npos;
    if (length == 0 || length > kCharsetNameLimit || !ends) {
        return {};
    }
    return std::string(rest.substr(0, length));
}

DetectedEncoding byDeclaredCharset(std::string_view bytes) {
    const std::string name = declaredCharset(bytes);
    const auto is = [&](std::string_view known) {
        return text::equalsIgnoringAsciiCase(name, known);
    };
    if (is("utf-8") || is("utf8")) {
        return {TextEncoding::Utf8WithErrors, 0, {}};
    }
    if (name.empty() || is("windows-1252") || is("cp1252") || is("iso-8859-1") || is("latin1") ||
        is("us-ascii")) {
        return {TextEncoding::Windows1252, 0, {}};
    }
    return {TextEncoding::Declared, 0, name};
}

}  // namespace

std::string declaredCharset(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, kMetaSearch);
    for (std::size_t at = text::findIgnoringAsciiCase(start, "<meta"); at != std::string_view::npos;
         at = text::findIgnoringAsciiCase(start, "<meta", at + 5)) {
        std::string_view tag = start.substr(at, kMetaTagLimit);
        tag = tag.substr(0, tag.find('>'));
        if (std::string name = charsetIn(tag); !name.empty()) {
            return name;
        }
    }
    return {};
}

DetectedEncoding detectEncoding(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE")) {
        return {TextEncoding::Utf16Le, 2, {}};
    }
    if (startsWith(bytes, "\xFE\xFF")) {
        return {TextEncoding::Utf16Be, 2, {}};
    }
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        return {isUtf8(bytes.substr(3)) ? TextEncoding::Utf8 : TextEncoding::Utf8WithErrors, 3, {}};
    }
    if (isUtf8(bytes)) {
        return {TextEncoding::Utf8, 0, {}};
    }
    return byDeclaredCharset(bytes);
}

std::size_t decodeChunk(TextEncoding encoding, std::string_view bytes, std::size_t pos,
                        std::size_t chunk, std::string& out) {
    out.clear();
    const std::size_t stop = chunk >= bytes.size() - pos ? bytes.size() : pos + chunk;
    switch (encoding) {
        case TextEncoding::Utf8:
            out.assign(bytes.substr(pos, stop - pos));
            return stop;
        case TextEncoding::Utf8WithErrors:
            out.reserve(stop - pos + 8);
            while (pos < stop) {
                // A character that straddles `stop` is read whole from the bytes after it.
                text::appendUtf8(out, text::decodeUtf8(bytes, pos));
            }
            return pos;
        case TextEncoding::Windows1252:
        case TextEncoding::Declared:
            out.reserve((stop - pos) * 3 / 2);
            for (; pos < stop; ++pos) {
                const auto byte = static_cast<unsigned char>(bytes[pos]);
                if (byte < 0x80) {
                    out += static_cast<char>(byte);
                } else {
                    text::appendUtf8(out, windows1252(byte));
                }
            }
            return pos;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            out.reserve((stop - pos) * 3 / 2);
            while (pos < stop) {
                if (pos + 1 >= bytes.size()) {
                    text::appendUtf8(out, 0xFFFD);  // an odd last byte
                    return bytes.size();
                }
                const std::size_t lowByte = encoding == TextEncoding::Utf16Le ? 0 : 1;
                const auto unit = [&](std::size_t at) {
                    return static_cast<char32_t>(
                        static_cast<unsigned char>(bytes[at + lowByte]) |
                        (static_cast<unsigned char>(bytes[at + 1 - lowByte]) << 8));
                };
                char32_t cp = unit(pos);
                pos += 2;
                if (cp >= 0xD800 && cp <= 0xDBFF && pos + 1 < bytes.size()) {
                    const char32_t low = unit(pos);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        pos += 2;
                    }
                }
                text::appendUtf8(out, cp);  // a lone surrogate becomes U+FFFD
            }
            return pos;
    }
    return stop;
}

std::string toUtf8(std::string_view bytes) {
    if (isUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    decodeChunk(TextEncoding::Windows1252, bytes, 0, bytes.size(), out);
    return out;
}

}  // namespace lh::bookmarks

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lh::bookmarks {

// Converts text in a charset a file declares (Shift_JIS, EUC-KR, KOI8-R, ...) to UTF-8 through
// the C library's iconv, piece by piece: a character split between two pieces is read whole,
// and the state of a stateful charset carries over. Bytes that are not text in that charset
// become U+FFFD; every call makes progress, so no input can make it loop.
class CharsetDecoder {
public:
    // Opens a conversion from `charset`; ok() is false when iconv does not know it.
    explicit CharsetDecoder(const std::string& charset);
    ~CharsetDecoder();
    CharsetDecoder(const CharsetDecoder&) = delete;
    CharsetDecoder& operator=(const CharsetDecoder&) = delete;

    bool ok() const;

    // As decodeChunk() of TextDecoder.h: converts `bytes` from `pos` on into `out` (replacing
    // what it held), at least `chunk` bytes and then to the end of the character there; returns
    // the position after the last byte converted.
    std::size_t decode(std::string_view bytes, std::size_t pos, std::size_t chunk,
                       std::string& out);

private:
    void* m_handle;  // an iconv_t
};

}  // namespace lh::bookmarks

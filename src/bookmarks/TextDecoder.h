#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lh::bookmarks {

// How the bytes of a bookmark file are read as text:
// - FF FE first: UTF-16 little-endian, FE FF first: UTF-16 big-endian, converted whole (zero
//   characters included);
// - EF BB BF first: UTF-8 (ill-formed bytes become U+FFFD);
// - no mark and strictly valid UTF-8: taken as it is;
// - otherwise the charset a META tag declares: UTF-8 as with the mark, Windows-1252 and the
//   Latin-1 names it stands in for by our own table, any other through iconv (Declared);
// - no charset declared: Windows-1252, the 8-bit code page such files were written in. A
//   declared charset iconv does not know falls back to it too.
enum class TextEncoding { Utf8, Utf8WithErrors, Utf16Le, Utf16Be, Windows1252, Declared };

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    std::size_t textStart = 0;  // the first byte after the byte-order mark
    std::string charset;        // for Declared: the name as the file gives it
};

// Tells the encoding of `bytes` (reads all of them when they carry no mark).
DetectedEncoding detectEncoding(std::string_view bytes);

// The charset a <META> tag near the start of `bytes` declares ("charset=NAME", also inside
// CONTENT="text/html; charset=NAME"), or "" when none is, or the name is not a plausible
// charset name (at most 40 letters, digits and "-_.:+()").
std::string declaredCharset(std::string_view bytes);

// Converts the text of `bytes` from `pos` on to UTF-8 into `out` (replacing what it held), at
// least `chunk` bytes of input and then up to the end of the character there. Returns the
// position after the last byte converted. For TextEncoding::Utf8 the bytes are copied;
// Declared is read as Windows-1252 here (CharsetDecoder.h reads it in its charset).
std::size_t decodeChunk(TextEncoding encoding, std::string_view bytes, std::size_t pos,
                        std::size_t chunk, std::string& out);

// `bytes` as UTF-8: kept when strictly valid UTF-8, otherwise read as Windows-1252.
std::string toUtf8(std::string_view bytes);

}  // namespace lh::bookmarks

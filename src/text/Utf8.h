#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lh::text {

// Texts are UTF-8 in std::string. These helpers never throw and accept any bytes.

// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The longest prefix of `s` of at most `maxBytes` bytes that does not end inside a character.
std::string_view cutUtf8(std::string_view s, std::size_t maxBytes);

// Appends the UTF-8 form of `codePoint` (U+FFFD for surrogates and values above U+10FFFF).
void appendUtf8(std::string& out, char32_t codePoint);

// Decodes one character at `pos` and advances `pos`; ill-formed bytes give U+FFFD and advance by
// one.
char32_t decodeUtf8(std::string_view s, std::size_t& pos);

}  // namespace lh::text

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lh::text {

// "Ignoring letter case" in this program means Unicode simple case folding of UTF-8 text.
// Ill-formed bytes are kept as they are, so any byte string folds and compares.

// The simple case folding of one code point.
char32_t foldCase(char32_t codePoint);

// `s` with every character case-folded.
std::string foldCase(std::string_view s);
// Appends the case-folded form of `s` to `out` (a caller folding many texts reuses one buffer).
void appendFoldedCase(std::string_view s, std::string& out);

// True when `a` and `b` are equal after case folding.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// A 64-bit hash of the case-folded form of `s` (equal for strings that compare equal above).
std::uint64_t hashIgnoringCase(std::string_view s);

}  // namespace lh::text

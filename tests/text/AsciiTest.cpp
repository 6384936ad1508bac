#include "text/Ascii.h"

#include <gtest/gtest.h>

#include <utility>

#include "text/CaseFold.h"

namespace lh::text {
namespace {

TEST(AsciiTest, LowersAndComparesOnlyTheTwentySixLetters) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool upper = byte >= 'A' && byte <= 'Z';
        EXPECT_EQ(toLowerAscii(c), upper ? static_cast<char>(byte + 32) : c) << byte;
        EXPECT_EQ(isAscii(c), byte < 0x80) << byte;
    }
    // UTF-8 sequences pass untouched: only simple folding (CaseFold.h) lowers Ä.
    EXPECT_EQ(toLowerAscii("Ä.URL \xC3\x9A"), "Ä.url \xC3\x9A");
    EXPECT_TRUE(equalsIgnoringAsciiCase("Bookmarks.LHD", "bookmarks.lhd"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("lhd", "lhd "));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Ä", "ä"));
    // Setting bit 5 is not lowering: "@" and "`", "[" and "{", "^" and "~" stay different, in
    // the comparisons here and in the ASCII path of the Unicode ones.
    for (const auto& [a, b] : {std::pair{"@", "`"}, {"[", "{"}, {"^", "~"}, {"\r", "-"}}) {
        EXPECT_FALSE(equalsIgnoringAsciiCase(a, b)) << a;
        EXPECT_FALSE(equalsIgnoringCase(a, b)) << a;
        EXPECT_NE(hashIgnoringCase(a), hashIgnoringCase(b)) << a;
    }
}

}  // namespace
}  // namespace lh::text

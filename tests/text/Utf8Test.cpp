#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace lh::text {
namespace {

TEST(Utf8Test, CutsOnCharacterBoundaries) {
    const std::string s = "ab\xC3\xA9\xE2\x82\xAC";  // a b é €
    EXPECT_EQ(cutUtf8(s, 100), s);
    EXPECT_EQ(cutUtf8(s, 3), "ab");
    EXPECT_EQ(cutUtf8(s, 4), "ab\xC3\xA9");
    EXPECT_EQ(cutUtf8(s, 6), "ab\xC3\xA9");
    EXPECT_EQ(cutUtf8(s, 7), s);
    EXPECT_EQ(cutUtf8(s, 0), "");
}

TEST(Utf8Test, ValidatesStrictly) {
    EXPECT_TRUE(isValidUtf8("plain ascii"));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("abc\xE2\x82"));       // cut short
    std::string out;
    appendUtf8(out, 0xD800);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lh::text

#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace lh::text {
namespace {

TEST(Utf8Test, CutsOnCharacterBoundariesAndValidatesStrictly) {
    const std::string s = "ab\xC3\xA9\xE2\x82\xAC";  // a b é €
    const std::pair<std::size_t, std::string> cuts[] = {
        {100, s}, {7, s}, {6, "ab\xC3\xA9"}, {4, "ab\xC3\xA9"}, {3, "ab"}, {0, ""}};
    for (const auto& [bytes, cut] : cuts) {
        EXPECT_EQ(cutUtf8(s, bytes), cut) << bytes;
    }
    EXPECT_TRUE(isValidUtf8("plain ascii \xF0\x9F\x98\x80"));
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "abc\xE2\x82"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << bad;  // overlong, surrogate, above U+10FFFF, cut short
    }
    std::string out;
    appendUtf8(out, 0xD800);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lh::text

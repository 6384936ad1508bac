#include "text/CaseFold.h"

#include <gtest/gtest.h>

#include "text/Utf8.h"

namespace lh::text {
namespace {

TEST(CaseFoldTest, FoldsAsciiAndOtherScripts) {
    EXPECT_EQ(foldCase("HTTP://Example.COM/Path"), "http://example.com/path");
    EXPECT_EQ(foldCase("ÄÖÜ Straße"), "äöü straße");  // ß has no simple folding
    EXPECT_EQ(foldCase("ΑΒΓ Σ"), "αβγ σ");
    EXPECT_EQ(foldCase("ПРИВЕТ"), "привет");
    EXPECT_EQ(foldCase(std::string("\xC4\x80\xC4\x81")), "\xC4\x81\xC4\x81");  // Ā ā
    EXPECT_EQ(foldCase(U'ẞ'), U'ß');
    EXPECT_EQ(foldCase(U'ς'), U'σ');
    EXPECT_EQ(foldCase(U'İ'), U'İ');  // only full folding changes it
}

TEST(CaseFoldTest, ComparesAndHashesIgnoringCase) {
    EXPECT_TRUE(equalsIgnoringCase("http://A.example/", "HTTP://a.EXAMPLE/"));
    EXPECT_TRUE(equalsIgnoringCase("Ärger", "äRGER"));
    EXPECT_FALSE(equalsIgnoringCase("http://a/", "http://a"));
    EXPECT_FALSE(equalsIgnoringCase("straße", "strasse"));
    EXPECT_EQ(hashIgnoringCase("ÄRGER.de"), hashIgnoringCase("ärger.DE"));
    EXPECT_NE(hashIgnoringCase("a"), hashIgnoringCase("b"));
}

TEST(CaseFoldTest, KeepsBytesThatAreNotUtf8) {
    const std::string latin1 = "caf\xE9 \xC9T\xC9";
    EXPECT_EQ(foldCase(latin1), "caf\xE9 \xC9t\xC9");
    EXPECT_TRUE(equalsIgnoringCase(latin1, "CAF\xE9 \xC9t\xC9"));
    EXPECT_FALSE(equalsIgnoringCase("\xE9", "\xC9"));
}

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

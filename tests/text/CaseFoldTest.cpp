#include "text/CaseFold.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lh::text

#include "text/CaseFold.h"

#include <gtest/gtest.h>

namespace lh::text {
namespace {

TEST(CaseFoldTest, FoldsAsciiAndOtherScriptsAndKeepsBytesThatAreNotUtf8) {
    const std::pair<std::string, std::string> folds[] = {
        {"HTTP://Example.COM/Path", "http://example.com/path"},
        {"ÄÖÜ Straße", "äöü straße"},  // ß has no simple folding
        {"ΑΒΓ Σ ς", "αβγ σ σ"},
        {"\xC4\x80\xC4\x81", "\xC4\x81\xC4\x81"},    // Ā ā
        {"ẞ İ", "ß İ"},                              // İ changes only in full folding
        {"caf\xE9 \xC9T\xC9", "caf\xE9 \xC9t\xC9"},  // Latin-1: the bytes stay
    };
    for (const auto& [text, folded] : folds) {
        EXPECT_EQ(foldCase(text), folded) << text;
        EXPECT_TRUE(equalsIgnoringCase(text, folded)) << text;
        EXPECT_EQ(hashIgnoringCase(text), hashIgnoringCase(folded)) << text;
    }
    EXPECT_FALSE(equalsIgnoringCase("http://a/", "http://a"));
    EXPECT_FALSE(equalsIgnoringCase("straße", "strasse"));
    EXPECT_FALSE(equalsIgnoringCase("\xE9", "\xC9"));
    EXPECT_NE(hashIgnoringCase("ärger"), hashIgnoringCase("ärgern"));
}

}  // namespace
}  // namespace lh::text

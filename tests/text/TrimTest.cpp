#include "text/Trim.h"

#include <gtest/gtest.h>

#include <string>

namespace lh::text {
namespace {

TEST(TrimTest, TrimsTheSixBlanksAtTheChosenEnds) {
    const std::string blanks = " \t\n\v\f\r";
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        EXPECT_EQ(isBlank(c), blanks.find(c) != std::string::npos) << byte;
    }
    const std::string padded = "\r\n\t \v\fa b\tc\f\v \t\n\r";
    EXPECT_EQ(trimBlanks(padded), "a b\tc");
    EXPECT_EQ(trimLeadingBlanks(padded), "a b\tc\f\v \t\n\r");
    EXPECT_EQ(trimTrailingBlanks(padded), "\r\n\t \v\fa b\tc");
    for (const std::string_view blank : {"", " ", "\t\r\n\v\f "}) {
        EXPECT_EQ(trimLeadingBlanks(blank), "");
        EXPECT_EQ(trimTrailingBlanks(blank), "");
    }
    // NUL, NBSP (UTF-8 C2 A0) and NEL (C2 85) are not blanks; their bytes stay.
    const std::string kept = std::string("\0x\0", 3) + " \xC2\xA0" + "\xC2\x85";
    EXPECT_EQ(trimBlanks(" " + kept + " "), kept);
}

}  // namespace
}  // namespace lh::text

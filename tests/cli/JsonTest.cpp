#include "cli/Json.h"

#include <gtest/gtest.h>

namespace lh::cli {
namespace {

TEST(JsonTest, EscapesControlCharactersAndBadBytes) {
    EXPECT_EQ(jsonString("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(jsonString("caf\xE9"), "\"caf\xEF\xBF\xBD\"");
}

}  // namespace
}  // namespace lh::cli

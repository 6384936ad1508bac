#include "settings/SettingsTable.h"

#include <gtest/gtest.h>

namespace lh::settings {
namespace {

// The table's own static checks cover names, fields, ranges and groups; these cover the
// conversions between a row's stored number and its field, and the look-ups.
TEST(SettingsTableTest, EveryRowHoldsItsDefaultAndIsFoundByNameFieldAndGroup) {
    const AppSettings defaults;
    ASSERT_FALSE(settingsTable().empty());
    for (const Setting& row : settingsTable()) {
        if (row.isText()) {
            EXPECT_EQ(row.text(defaults), "") << row.name;
        } else {
            EXPECT_EQ(row.number(defaults), row.def) << row.name;
        }
        EXPECT_EQ(findSetting(row.name), &row) << row.name;
        EXPECT_EQ(findSetting(row.field), &row) << row.name;
        const auto group = settingsOf(row.group);
        EXPECT_TRUE(&row >= group.data() && &row < group.data() + group.size()) << row.name;
        EXPECT_EQ(group.front().key, row.key) << row.name;
    }
    EXPECT_EQ(findSetting("Layouts"), nullptr);
}

}  // namespace
}  // namespace lh::settings

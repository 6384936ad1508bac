#include "settings/SettingsTable.h"

#include <gtest/gtest.h>

namespace lh::settings {
namespace {

// The table's own static checks cover names, fields, ranges and groups, and SettingsStoreTest
// every row's default and conversions; these cover the look-ups.
TEST(SettingsTableTest, EveryRowIsFoundByNameAndField) {
    ASSERT_FALSE(settingsTable().empty());
    for (const Setting& row : settingsTable()) {
        EXPECT_EQ(findSetting(row.name), &row) << row.name;
        EXPECT_EQ(findSetting(row.field), &row) << row.name;
    }
    EXPECT_EQ(findSetting("Layouts"), nullptr);
}

}  // namespace
}  // namespace lh::settings

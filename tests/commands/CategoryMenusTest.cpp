#include "commands/CategoryMenus.h"

#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/Kinds.h"

namespace lh::commands {
namespace {

constexpr CategoryMenuState kAll{true, true, true, true};
constexpr CategoryMenuState kPropertiesOnly{false, false, false, true};
constexpr CategoryMenuState kNewAndProperties{true, false, false, true};

TEST(CategoryMenusTest, MenusFollowTheCategoryIdAndItemsDropWithinTheirClass) {
    store::Database db;
    db.createDefault();
    const std::vector<std::pair<store::CategoryId, CategoryMenuState>> byId = {
        {0, kPropertiesOnly},
        {1, kNewAndProperties},
        {2, kPropertiesOnly},
        {3, kAll},
        {4, kAll},
        {9, kAll}};
    for (const auto& [id, state] : byId) {
        EXPECT_EQ(contextMenuState(id), state) << id;
        EXPECT_EQ(mainMenuState(db.findCategory(id)), state) << id;
    }
    EXPECT_EQ(contextMenuState(65534), kAll);
    EXPECT_EQ(mainMenuState(nullptr), kPropertiesOnly);

    // Item rows drop only as a move, onto another category of their class.
    const store::CategoryRecord& source = *db.findCategory(3);
    EXPECT_TRUE(acceptsItemDrop(*db.findCategory(4), source, false));
    EXPECT_TRUE(acceptsItemDrop(*db.findCategory(2), source, false));
    EXPECT_FALSE(acceptsItemDrop(*db.findCategory(4), source, true));
    EXPECT_FALSE(acceptsItemDrop(source, source, false));
    EXPECT_FALSE(acceptsItemDrop(*db.root(), source, false));
    db.setCategoryClass(5, store::kClassFile);
    EXPECT_FALSE(acceptsItemDrop(*db.findCategory(5), source, false));
}

}  // namespace
}  // namespace lh::commands

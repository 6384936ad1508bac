#include "commands/CategoryMenus.h"

#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/Kinds.h"

namespace lh::commands {
namespace {

constexpr CategoryMenuState kAll{true, true, true, true};
constexpr CategoryMenuState kPropertiesOnly{false, false, false, true};
constexpr CategoryMenuState kNewAndProperties{true, false, false, true};

TEST(CategoryMenusTest, ContextMenuByClickedId) {
    EXPECT_EQ(contextMenuState(0), kPropertiesOnly);
    EXPECT_EQ(contextMenuState(1), kNewAndProperties);
    EXPECT_EQ(contextMenuState(2), kPropertiesOnly);
    EXPECT_EQ(contextMenuState(3), kAll);
    EXPECT_EQ(contextMenuState(4), kAll);
    EXPECT_EQ(contextMenuState(17), kAll);
    EXPECT_EQ(contextMenuState(65534), kAll);
}

TEST(CategoryMenusTest, MainMenuBySelectedId) {
    store::Database db;
    db.createDefault();
    EXPECT_EQ(mainMenuState(nullptr), kPropertiesOnly);
    EXPECT_EQ(mainMenuState(db.findCategory(0)), kPropertiesOnly);
    EXPECT_EQ(mainMenuState(db.findCategory(1)), kNewAndProperties);
    EXPECT_EQ(mainMenuState(db.findCategory(2)), kPropertiesOnly);
    EXPECT_EQ(mainMenuState(db.findCategory(3)), kAll);
    EXPECT_EQ(mainMenuState(db.findCategory(4)), kAll);
    EXPECT_EQ(mainMenuState(db.findCategory(9)), kAll);
}

TEST(CategoryMenusTest, ItemRowsDropOnlyAsAMoveWithinOneClass) {
    store::Database db;
    db.createDefault();
    const store::CategoryRecord& source = *db.findCategory(3);
    EXPECT_TRUE(acceptsItemDrop(*db.findCategory(4), source, false));
    EXPECT_TRUE(acceptsItemDrop(*db.findCategory(2), source, false));
    EXPECT_TRUE(acceptsItemDrop(*db.findCategory(1), source, false));
    EXPECT_FALSE(acceptsItemDrop(*db.findCategory(4), source, true));
    EXPECT_FALSE(acceptsItemDrop(source, source, false));
    EXPECT_FALSE(acceptsItemDrop(*db.root(), source, false));
    db.setCategoryClass(5, store::kClassFile);
    EXPECT_FALSE(acceptsItemDrop(*db.findCategory(5), source, false));
}

}  // namespace
}  // namespace lh::commands

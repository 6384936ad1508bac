#include "commands/ExportScope.h"

#include <gtest/gtest.h>

#include "store/Database.h"

namespace lh::commands {
namespace {

TEST(ExportScopeTest, ExportsTheCurrentLinkCategoryOtherwiseTheFavourites) {
    store::Database db;
    db.createDefault();
    EXPECT_EQ(exportScope(db.findCategory(7)), 7);
    EXPECT_EQ(exportScope(db.findCategory(store::kRecycleId)), store::kRecycleId);  // holds links

    EXPECT_EQ(exportScope(nullptr), store::kFavoritesId);
    EXPECT_EQ(exportScope(db.root()), store::kFavoritesId);
    db.setCategoryClass(4, store::kClassFile);
    EXPECT_EQ(exportScope(db.findCategory(4)), store::kFavoritesId);
}

}  // namespace
}  // namespace lh::commands

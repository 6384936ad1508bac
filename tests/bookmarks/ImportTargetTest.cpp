#include "bookmarks/ImportTarget.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "bookmarks/ImportResult.h"
#include "store/Database.h"
#include "support/BookmarkTrees.h"

namespace lh::bookmarks {
namespace {

TEST(ImportTargetTest, ReusesAChildOfTheSameNameAndFallsBackToFavourites) {
    store::Database db;
    db.createDefault();
    db.setCategoryClass(2, store::kClassFile);
    ImportResult result;
    const ImportOptions options;
    ImportTarget target(db, options, result);
    const std::uint16_t joke = test::childNamed(db, 1, "Joke")->id();
    EXPECT_EQ(target.findOrCreate(" Joke ", 1), joke);
    EXPECT_EQ(db.nextCategoryId(), 18u);
    const std::uint16_t added = target.findOrCreate("joke", 9999);  // no such parent
    EXPECT_EQ(added, 18);
    EXPECT_EQ(db.findCategory(added)->parent()->id(), 1);
    // Imported categories are favourites, whatever class the parent has.
    EXPECT_EQ(db.findCategory(target.findOrCreate("x", 2))->flags(), store::kClassUrl);
    EXPECT_EQ(result.categoriesAdded, 2u);
}

}  // namespace
}  // namespace lh::bookmarks

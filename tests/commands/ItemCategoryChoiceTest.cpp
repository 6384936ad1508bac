#include "commands/ItemCategoryChoice.h"

#include <gtest/gtest.h>

#include <vector>

namespace lh::commands {
namespace {

std::vector<int> ids(const ParentChoice& choice) {
    std::vector<int> out;
    for (const ChooserEntry& e : choice.entries) {
        out.push_back(e.id);
    }
    return out;
}

TEST(ItemCategoryChoiceTest, ListsTheRootsTreeAndKeepsAnOwnCategoryOutsideIt) {
    store::Database db;
    db.createDefault();
    const ParentChoice preset = buildItemCategoryChoice(db, store::kFavoritesId, {5, false});
    EXPECT_EQ(ids(preset), (std::vector<int>{1, 3, 7, 8, 9, 4, 5, 6}));
    EXPECT_EQ(preset.selected, 6);

    // Defaults: "Recycle" opens on the first line, anything else unlisted on the third.
    EXPECT_EQ(buildItemCategoryChoice(db, store::kFavoritesId, {2, false}).selected, 0);
    EXPECT_EQ(buildItemCategoryChoice(db, store::kFavoritesId, {99, false}).selected, 2);

    // An item kept in "Recycle" sees its own category, chosen, so OK leaves it there.
    const ParentChoice own = buildItemCategoryChoice(db, store::kFavoritesId, {2, true});
    EXPECT_EQ(ids(own), (std::vector<int>{1, 3, 7, 8, 9, 4, 5, 6, 2}));
    EXPECT_EQ(own.selected, 8);
    EXPECT_EQ(buildItemCategoryChoice(db, store::kFavoritesId, {8, true}).entries.size(), 8u);

    store::Database empty;
    EXPECT_EQ(buildItemCategoryChoice(empty, store::kFavoritesId, {1, false}).selected, -1);
}

}  // namespace
}  // namespace lh::commands

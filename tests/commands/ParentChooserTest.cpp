#include "commands/ParentChooser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Kinds.h"

namespace lh::commands {
namespace {

std::vector<std::string> lines(const ParentChoice& choice) {
    std::vector<std::string> out;
    for (const ChooserEntry& e : choice.entries) {
        out.push_back(std::to_string(e.depth) + " " + e.name + " #" + std::to_string(e.id));
    }
    return out;
}

TEST(ParentChooserTest, ListsTheClassRootAndItsDescendantsInPreOrderAndPreselectsALine) {
    store::Database db;
    db.createDefault();
    const auto choice = buildParentChoice(db, store::kClassUrl, 5);
    ASSERT_TRUE(choice);
    EXPECT_EQ(lines(*choice), (std::vector<std::string>{"1 Webfavorite #1", "2 BBS #3", "3 Life #7",
                                                        "3 Technology #8", "3 Joke #9", "2 Joke #4",
                                                        "2 Download Site #5", "2 Technology #6"}));
    EXPECT_EQ(choice->selected, 6);
    EXPECT_EQ(choice->entries[0].flags, 0x11);

    // A missing id preselects the third line; Recycle is not listed.
    EXPECT_EQ(buildParentChoice(db, store::kClassUrl, std::nullopt)->selected, 2);
    EXPECT_EQ(buildParentChoice(db, store::kClassUrl, 2)->selected, 2);
    EXPECT_EQ(buildParentChoice(db, store::kClassUrl, 1)->selected, 0);
    // Too few lines for a third one: the class root.
    db.setCategoryClass(2, store::kClassFile);
    const auto files = buildParentChoice(db, store::kClassFile, std::nullopt);
    ASSERT_TRUE(files);
    EXPECT_EQ(lines(*files), (std::vector<std::string>{"1 Recycle #2"}));
    EXPECT_EQ(files->selected, 0);

    // Only three classes are known.
    EXPECT_EQ(classRoot(db, store::kClassRemind), db.findCategory(3));
    EXPECT_FALSE(buildParentChoice(db, 0x20, 1));
    store::Database empty;
    EXPECT_FALSE(buildParentChoice(empty, store::kClassUrl, 1));
}

}  // namespace
}  // namespace lh::commands

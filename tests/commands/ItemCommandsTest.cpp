#include "commands/ItemCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "commands/CategoryCommands.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using store::CategoryId;
using store::ItemId;
using store::kRecycleId;
using Ids = std::vector<ItemId>;
using Texts = std::vector<std::string>;
using Answer = Prompter::Answer;

class ItemCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }

    Ids addLinks(CategoryId category, const Texts& titles) {
        Ids ids;
        for (const std::string& title : titles) {
            ids.push_back(db.addItem(category, test::link(title, "http://" + title + "/"))->id());
        }
        return ids;
    }
    Texts titles(CategoryId id) { return test::itemTitles(db, id); }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    ItemCommands commands{db, prompter};
};

TEST_F(ItemCommandsTest, MoveUpAndDownShiftRunsAndStopAtTheEnds) {
    const Ids ids = addLinks(7, {"a", "b", "c", "d", "e", "f"});
    // Rows 2 and 3 go to rows 1 and 2, in the same order; the item above goes below them.
    EXPECT_EQ(commands.moveUp(Ids{ids[3], ids[2]}), (Ids{ids[2], ids[3]}));
    EXPECT_EQ(titles(7), (Texts{"a", "c", "d", "b", "e", "f"}));
    // With the top row selected nothing moves, not even the other selected rows.
    commands.moveUp(Ids{ids[5], ids[0]});
    EXPECT_EQ(titles(7), (Texts{"a", "c", "d", "b", "e", "f"}));
    // Two separate runs each move one row; the same items stay selected.
    EXPECT_EQ(commands.moveUp(Ids{ids[1], ids[2]}), (Ids{ids[2], ids[1]}));
    EXPECT_EQ(titles(7), (Texts{"c", "a", "b", "d", "e", "f"}));

    commands.moveDown(Ids{ids[0], ids[5]});  // the last row is selected: nothing
    EXPECT_EQ(titles(7), (Texts{"c", "a", "b", "d", "e", "f"}));
    EXPECT_EQ(commands.moveDown(Ids{ids[4], ids[0], ids[2]}), (Ids{ids[2], ids[0], ids[4]}));
    EXPECT_EQ(titles(7), (Texts{"b", "c", "a", "d", "f", "e"}));
    EXPECT_TRUE(commands.moveUp(Ids{}).empty());
}

TEST_F(ItemCommandsTest, MovedRowsLandInReverseOrderAppendedOrInFrontOfTheRecycle) {
    const Ids ids = addLinks(7, {"first", "second", "third", "stays"});
    addLinks(8, {"old"});
    addLinks(kRecycleId, {"binned"});
    commands.moveToCategory(Ids{ids[1], ids[0], ids[2]}, 8);  // any order of selection
    EXPECT_EQ(titles(8), (Texts{"old", "third", "second", "first"}));
    EXPECT_EQ(titles(7), Texts{"stays"});
    commands.moveToCategory(Ids{ids[0], ids[2], 9999}, kRecycleId);
    EXPECT_EQ(titles(kRecycleId), (Texts{"first", "third", "binned"}));
    commands.moveToCategory(Ids{ids[1]}, 999);  // no such category
    EXPECT_EQ(titles(8), (Texts{"old", "second"}));
}

TEST_F(ItemCommandsTest, DeleteRecyclesOrDeletesForGoodAndAsksAboutFiles) {
    const Ids ids = addLinks(7, {"a", "b", "c"});
    commands.deleteItems(Ids{ids[0], ids[2]}, 7, false);  // to the front of the Recycle
    EXPECT_EQ(titles(kRecycleId), (Texts{"c", "a"}));
    commands.deleteItems(Ids{ids[2]}, kRecycleId, false);  // in the Recycle: for good
    commands.deleteItems(Ids{ids[1]}, 7, true);            // Shift: for good
    EXPECT_EQ(titles(kRecycleId), Texts{"a"});
    EXPECT_EQ(db.itemCount(), 1u);
    EXPECT_TRUE(prompter.shown.empty());  // links only: no question

    test::TempDir dir;
    for (const char* name : {"keep.txt", "gone.txt"}) {
        test::writeBytes(dir.file(name), "x");
    }
    std::filesystem::create_directory(dir.file("folder"));
    const auto addFile = [&](const char* name) {
        return db.addItem(7, test::fileItem(name, dir.path()))->id();
    };
    const ItemId keep = addFile("keep.txt");
    prompter.answers = {Answer::No};
    commands.deleteItems(Ids{keep, ids[0]}, 7, true);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Also delete file(s)?");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Question);
    EXPECT_EQ(db.itemCount(), 0u);
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"folder", "gone.txt", "keep.txt"}));

    // Yes: the files go; a folder stays and is reported.
    prompter.answers = {Answer::Yes};
    commands.deleteItems(Ids{addFile("gone.txt"), addFile("folder")}, kRecycleId, false);
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"folder", "keep.txt"}));
    ASSERT_EQ(prompter.shown.size(), 3u);  // the report's text is CategoryCommandsTest's
    EXPECT_EQ(prompter.shown[2].icon, Prompter::Icon::Warning);
    EXPECT_EQ(db.itemCount(), 0u);
}

}  // namespace
}  // namespace lh::commands

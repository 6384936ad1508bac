#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <functional>
#include <vector>

#include "history/UndoStack.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "support/DatabaseDump.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using test::fileItem;
using test::link;
using Ids = std::vector<ItemId>;

ItemFields remindItem(std::string title, std::uint32_t schedule, DateTimeStamp when) {
    return {"", "", std::move(title), "", 1, kKindRemind | schedule, 0, {}, when};
}

class DatabaseUndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        // Links with slots in two categories, a sub-category, a ringing reminder.
        a = add(4, link("a", "http://a/"));
        b = add(4, link("b", "http://b/"));
        c = add(4, link("c", "http://c/"));
        sub = db.addCategory(4, {"Sub", "memo", "", {}})->id();
        d = add(sub, link("d", "http://d/"));
        r = add(3, remindItem("r", kScheduleWeekdays, {26, 1, 1, 7, 15, 0, 0}));
        db.addReminder(715, r);
        mirror = std::make_unique<test::DatabaseMirror>(db);
    }
    ItemId add(CategoryId category, const ItemFields& fields) {
        return db.addItem(category, fields)->id();
    }

    // Runs `change` as one step, then undo, redo and undo again: each must give back exactly
    // the database before or after, and the events must have kept a view's rows in step.
    void expectUndoable(const std::function<void()>& change) {
        const std::string before = test::dumpDatabase(db);
        {
            const ChangeStep step(db, "step");
            change();
        }
        const std::string after = test::dumpDatabase(db);
        ASSERT_NE(before, after);
        ASSERT_TRUE(stack.undo());
        EXPECT_EQ(test::dumpDatabase(db), before);
        mirror->expectInStep();
        ASSERT_TRUE(stack.redo());
        EXPECT_EQ(test::dumpDatabase(db), after);
        mirror->expectInStep();
        ASSERT_TRUE(stack.undo());
        EXPECT_EQ(test::dumpDatabase(db), before);
        mirror->expectInStep();
    }

    test::FakeClock clock;
    Database db{clock};
    history::UndoStack stack{db};
    std::unique_ptr<test::DatabaseMirror> mirror;
    ItemId a = 0, b = 0, c = 0, d = 0, r = 0;
    CategoryId sub = 0;
};

TEST_F(DatabaseUndoTest, CategoryChangesComeBackExactly) {
    expectUndoable([&] { db.addCategory(sub, {"New", "", "", {}}); });
    expectUndoable([&] { db.renameCategory(sub, "Renamed"); });
    expectUndoable([&] { db.setCategoryMemo(sub, "other memo"); });
    expectUndoable([&] { db.setCategoryClass(4, kClassFile); });  // its links leave the menu
    expectUndoable([&] { ASSERT_TRUE(db.moveCategory(sub, 5)); });
    expectUndoable([&] { ASSERT_TRUE(db.moveCategory(3, 4)); });  // from the middle of a row
    expectUndoable([&] { db.removeCategory(4, false); });         // with its sub-category
    expectUndoable([&] { db.removeCategory(3, false); });         // with a ringing reminder
    // Several changes in one step go back in reverse order.
    expectUndoable([&] {
        const CategoryId added = db.addCategory(4, {"X", "", "", {}})->id();
        db.addItem(added, link("x", "http://x/"));
        ASSERT_TRUE(db.moveCategory(sub, added));
        db.removeCategory(added, false);
    });
}

TEST_F(DatabaseUndoTest, ItemChangesComeBackExactly) {
    expectUndoable([&] { add(sub, link("e", "http://e/")); });
    ItemEdit edit;
    edit.title = "A";
    edit.address = "http://A/";
    edit.flags = kKindFile;  // leaves the menu
    expectUndoable([&] { db.editItem(a, edit); });
    // Runs from two chains into a third, and a reorder within a chain.
    expectUndoable([&] { db.moveItems(Ids{c, d, a}, kRecycleId); });
    expectUndoable([&] { db.moveItems(Ids{c}, 4, a); });
    expectUndoable([&] { db.moveItems(Ids{r}, kRecycleId); });  // stops ringing
    expectUndoable([&] { (void)db.deleteItems(Ids{c, a, d, r}, false); });
    expectUndoable([&] {
        db.moveItems(Ids{a}, sub);
        db.editItem(a, edit);
        (void)db.deleteItems(Ids{b, a}, false);
    });
}

TEST_F(DatabaseUndoTest, BroughtBackLinksTakeFreshSlotsInTheirOldOrder) {
    db.moveItems(Ids{c}, 4, a);  // the chain now runs c, a, b; the slots a, b, c
    std::uint32_t highest = 0;
    for (const auto& entry : db.menuIndex()) {
        highest = std::max(highest, entry.first);
    }
    {
        const ChangeStep step(db, "delete");
        db.removeCategory(4, false);
    }
    ASSERT_TRUE(stack.undo());
    std::vector<std::uint32_t> slots;
    for (ItemId id : {a, b, c, d}) {  // in the order of their old slots
        slots.push_back(db.findItem(id)->menuId());
        EXPECT_GT(slots.back(), highest);  // an old slot may have been handed out meanwhile
    }
    EXPECT_TRUE(std::is_sorted(slots.begin(), slots.end()));
}

TEST_F(DatabaseUndoTest, KeptRecordsAreFreedWithTheStepAndFilesStayDeleted) {
    test::TempDir dir;
    const std::string path = dir.path() + "/f.txt";
    test::writeBytes(path, "x");
    const ItemId f = add(4, fileItem("f.txt", dir.path()));
    {
        const ChangeStep step(db, "delete");
        EXPECT_TRUE(db.deleteItems(Ids{f}, true).empty());
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_GT(stack.bytes(), sizeof(ItemRecord));
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(db.findItem(f)->title(), "f.txt");  // the record comes back, the file does not
    EXPECT_FALSE(std::filesystem::exists(path));

    // A one-time reminder that passed while it was kept is not filed again.
    const ItemId once = add(3, remindItem("once", kScheduleOnce, {26, 12, 6, 9, 45, 0, 0}));
    db.addReminder(2612060945, once);
    {
        const ChangeStep step(db, "delete");
        (void)db.deleteItems(Ids{once}, false);
    }
    clock.set({2026, 12, 6, 10, 0, 0, 0});
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(db.findReminders(2612060945), nullptr);
    ASSERT_TRUE(stack.redo());
    // Emptying the database frees the kept records first (the sanitizer sees any left over).
    db.clear();
    EXPECT_EQ(stack.size(), 0u);
}

}  // namespace
}  // namespace lh::store

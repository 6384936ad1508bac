#include "history/UndoStack.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "store/ChangeStep.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "support/DatabaseDump.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"

namespace lh::history {
namespace {

using store::CategoryId;
using store::ItemId;
using test::link;

class UndoStackTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    void addLink(const char* name, CategoryId category = 4) {
        const store::ChangeStep step(db, std::string("Add URL '") + name + "'");
        db.addItem(category, link(name, std::string("http://") + name + "/"));
    }

    test::FakeClock clock;
    store::Database db{clock};
    UndoStack stack{db};
};

TEST_F(UndoStackTest, NamesFollowUndoAndRedoAndANewStepDropsTheRedos) {
    EXPECT_FALSE(stack.undo());
    addLink("a");
    addLink("b");
    { const store::ChangeStep nothing(db, "Nothing"); }  // changed nothing: no step
    EXPECT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack.undoName(), "Add URL 'b'");
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(stack.undoName(), "Add URL 'a'");
    EXPECT_EQ(stack.redoName(), "Add URL 'b'");
    addLink("c");
    EXPECT_FALSE(stack.canRedo());
    EXPECT_EQ(test::itemTitles(db, 4), (std::vector<std::string>{"a", "c"}));
    {
        // An inner step joins the outer one.
        const store::ChangeStep outer(db, "Import");
        addLink("d");
        addLink("e");
    }
    EXPECT_EQ(stack.undoName(), "Import");
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(test::itemTitles(db, 4), (std::vector<std::string>{"a", "c"}));
}

TEST_F(UndoStackTest, TheOldestStepsGoAtTheLimits) {
    UndoStack::Limits limits;
    limits.steps = 3;
    limits.bytes = 1 << 20;
    store::Database small{clock};
    small.createDefault();
    UndoStack limited(small, limits);
    for (int i = 0; i < 5; ++i) {
        const store::ChangeStep step(small, "step " + std::to_string(i));
        small.addItem(4, link("x", "http://x/"));
    }
    EXPECT_EQ(limited.size(), 3u);
    while (limited.undo()) {
    }
    EXPECT_EQ(test::itemTitles(small, 4).size(), 2u);  // the first two cannot be undone
    EXPECT_EQ(limited.redoName(), "step 2");
    // A big deletion keeps more than the byte limit: it pushes out everything older.
    while (limited.redo()) {
    }
    for (int i = 0; i < 400; ++i) {
        small.addItem(5, link(std::string(4000, 'x'), "http://big/"));
    }
    EXPECT_EQ(limited.size(), 0u);  // unrecorded changes
    {
        const store::ChangeStep step(small, "small");
        small.addItem(4, link("y", "http://y/"));
    }
    {
        const store::ChangeStep step(small, "big");
        small.removeCategory(5, false);
    }
    EXPECT_EQ(limited.size(), 0u);  // 1.6 MB kept: over the limit, dropped at once
    EXPECT_EQ(limited.bytes(), 0u);
}

TEST_F(UndoStackTest, SavedMarkerFollowsUndoAndRedo) {
    addLink("a");
    stack.markClean();
    EXPECT_TRUE(stack.isClean());
    addLink("b");
    EXPECT_FALSE(stack.isClean());
    ASSERT_TRUE(stack.undo());
    EXPECT_TRUE(stack.isClean());
    ASSERT_TRUE(stack.undo());
    EXPECT_FALSE(stack.isClean());
    ASSERT_TRUE(stack.redo());
    EXPECT_TRUE(stack.isClean());
    {
        const store::ChangeStep step(db, "open");
        db.addItem(4, link("c", "http://c/"));
        EXPECT_FALSE(stack.isClean());  // a step under way has changed the database
    }
    // Saved, undone, then a new step: the saved state went with the steps undone, though the
    // history is as long again.
    stack.markClean();
    ASSERT_TRUE(stack.undo());
    addLink("d");
    EXPECT_FALSE(stack.isClean());
    ASSERT_TRUE(stack.undo());
    EXPECT_FALSE(stack.isClean());
}

TEST_F(UndoStackTest, EmptiedByOtherChangesAndByANewDatabase) {
    int told = 0;
    stack.onChanged([&] { ++told; });
    addLink("a");
    EXPECT_EQ(told, 1);
    db.renameCategory(4, "by hand");  // not recorded: undo could no longer trust the records
    EXPECT_FALSE(stack.canUndo());
    EXPECT_EQ(told, 2);
    addLink("b");
    {
        const store::ChangeStep step(db, "delete");
        db.removeCategory(4, false);
    }
    stack.markClean();
    db.createDefault();  // New, Open and a reload empty the database first
    EXPECT_FALSE(stack.canUndo());
    EXPECT_FALSE(stack.isClean());
    addLink("c");
    db.clear();
    EXPECT_EQ(stack.size(), 0u);
}

// A thousand random commands with random undos and redos: after each undo or redo the database
// is exactly what it was after the same number of steps.
TEST_F(UndoStackTest, RandomCommandsUndoAndRedoToTheRecordedStates) {
    std::mt19937 random(20261207);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    test::DatabaseMirror mirror(db);
    std::deque<std::string> states{test::dumpDatabase(db)};  // states[i]: after i steps still kept
    std::size_t done = 0;
    const auto categories = [&] {
        std::vector<CategoryId> ids;
        store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
            ids.push_back(c.id());
            return false;
        });
        return ids;
    };
    const auto items = [&] {
        std::vector<ItemId> ids;
        store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
            return store::walkItems(c, [&](const store::ItemRecord& i) {
                ids.push_back(i.id());
                return false;
            });
        });
        return ids;
    };
    int checks = 0;
    int pushes = 0;
    stack.onChanged([&] { ++pushes; });
    for (int n = 0; n < 1000; ++n) {
        const std::size_t action = pick(12);
        if (action < 2 && stack.canUndo()) {
            ASSERT_TRUE(stack.undo());
            ASSERT_EQ(test::dumpDatabase(db), states[--done]) << "undo at command " << n;
            ++checks;
            continue;
        }
        if (action < 3 && stack.canRedo()) {
            ASSERT_TRUE(stack.redo());
            ASSERT_EQ(test::dumpDatabase(db), states[++done]) << "redo at command " << n;
            continue;
        }
        const std::vector<CategoryId> cats = categories();
        const std::vector<ItemId> all = items();
        const CategoryId cat = cats[1 + pick(cats.size() - 1)];
        const int pushesBefore = pushes;
        {
            const store::ChangeStep step(db, "command");
            switch (pick(8)) {
                case 0:
                    db.addCategory(cat, {"c" + std::to_string(n), "", "", {}});
                    break;
                case 1:
                    db.renameCategory(cat, "r" + std::to_string(n));
                    break;
                case 2:
                    (void)db.moveCategory(cat, cats[pick(cats.size())]);
                    break;
                case 3:
                    if (!store::isFixedCategory(cat) && cats.size() > 12) {
                        db.removeCategory(cat, false);
                    }
                    break;
                case 4:
                case 5:
                    db.addItem(cat, link("i" + std::to_string(n), "http://" + std::to_string(n)));
                    break;
                case 6: {
                    std::vector<ItemId> chosen;
                    for (std::size_t k = 0; k < 4 && !all.empty(); ++k) {
                        chosen.push_back(all[pick(all.size())]);
                    }
                    const ItemId before = all.empty() ? 0 : all[pick(all.size())];
                    pick(2) == 0 ? db.moveItems(chosen, cat, before)
                                 : (void)db.deleteItems(chosen, false);
                    break;
                }
                default:
                    if (!all.empty()) {
                        store::ItemEdit edit;
                        edit.title = "t" + std::to_string(n);
                        edit.flags = pick(2) == 0 ? store::kKindUrl : store::kKindFile;
                        db.editItem(all[pick(all.size())], edit);
                    }
            }
        }
        if (pushes != pushesBefore) {
            states.resize(done + 1);
            states.push_back(test::dumpDatabase(db));
            ++done;
            if (states.size() > 101) {
                states.pop_front();  // the stack dropped its oldest step too
                --done;
            }
        }
        ASSERT_EQ(stack.size() + 1, states.size());
    }
    mirror.expectInStep();
    EXPECT_GT(checks, 100);
}

}  // namespace
}  // namespace lh::history

// What the views hear: every change to the Database as about-to / done pairs whose rows a model
// can follow, bulk work as one pair, and nothing else.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using Events = std::vector<std::string>;
using Ids = std::vector<ItemId>;

class DatabaseEventsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    Ids addLinks(CategoryId category, int count) {
        Ids ids;
        for (int i = 0; i < count; ++i) {
            ids.push_back(db.addItem(category, test::link("t", "http://x/"))->id());
        }
        return ids;
    }

    Database db;
};

TEST_F(DatabaseEventsTest, EachChangeSendsItsRowsOnceAndDeletesComeAsRunsFromTheLastRowUp) {
    test::DatabaseMirror mirror(db);
    db.addCategory(3, {"New", {}, {}, {}});
    const Ids ids = addLinks(4, 3);
    ASSERT_TRUE(db.moveCategory(3, 2));
    ASSERT_TRUE(db.moveCategory(3, 2));  // already the last child there: nothing to tell
    db.moveItems(Ids{ids[2], ids[1]}, 5);
    db.deleteItems(Ids{ids[0]}, false);
    db.removeCategory(18, false);
    EXPECT_EQ(mirror.events, (Events{"cats+ 3 3-3", "items+ 4 0-0", "items+ 4 1-1", "items+ 4 2-2",
                                     "cats> 1 0-0 to 2@0", "items> 4 2-2 to 5@0",
                                     "items> 4 1-1 to 5@1", "items- 4 0-0", "cats- 3 3-3"}));
    const Ids more = addLinks(4, 8);
    mirror.events.clear();
    db.deleteItems(Ids{more[1], more[6], ids[2], more[2], more[7], more[4]}, false);
    EXPECT_EQ(mirror.events,
              (Events{"items- 5 0-0", "items- 4 6-7", "items- 4 4-4", "items- 4 1-2"}));
    mirror.expectInStep();
}

// Random moves within and between chains, with and without an item to go in front of: every
// run's rows must be where the model has them at that moment.
TEST_F(DatabaseEventsTest, MovesOfAnyShapeKeepAModelInStep) {
    std::mt19937 random(7);
    Ids all;
    for (CategoryId c : {3, 4, 5}) {
        const Ids ids = addLinks(c, 12);
        all.insert(all.end(), ids.begin(), ids.end());
    }
    test::DatabaseMirror mirror(db);
    for (int round = 0; round < 200 && !HasFailure(); ++round) {
        Ids moving;
        const int count = 1 + int(random() % 6);
        const std::size_t start = random() % all.size();
        for (int i = 0; i < count; ++i) {
            // Runs of neighbours, scattered ones and repeats, in any order.
            moving.push_back(all[(start + (random() % 3 == 0 ? random() : i)) % all.size()]);
        }
        const CategoryId target = static_cast<CategoryId>(3 + random() % 3);
        const ItemId before = all[random() % all.size()];
        db.moveItems(moving, target, random() % 3 == 0 ? kNoItemId : before);
        mirror.expectInStep();
        EXPECT_FALSE(HasFailure()) << "round " << round;
    }
}

TEST_F(DatabaseEventsTest, BulkWorkIsOnePairAndNests) {
    test::DatabaseMirror mirror(db);
    {
        const Database::BulkChange outer(db);
        db.addCategory(3, {"quiet", {}, {}, {}});
        const Database::BulkChange inner(db);
        addLinks(3, 2);
    }
    EXPECT_EQ(mirror.events, (Events{"bulk{", "}bulk"}));
    mirror.events.clear();
    db.createDefault();
    EXPECT_EQ(mirror.events, (Events{"bulk{", "}bulk(replaced)"}));

    // A load is one pair, whatever it finds (an import's one pair is ImportTargetTest's).
    test::TempDir dir;
    platform::IoError error;
    ASSERT_TRUE(db.save(dir.file("a.lhd"), error));
    mirror.events.clear();
    ASSERT_EQ(db.load(dir.file("a.lhd"), error), LoadOutcome::Loaded);
    EXPECT_EQ(db.load(dir.file("none.lhd"), error), LoadOutcome::Missing);
    ASSERT_EQ(db.load(dir.file("a.lhd"), error), LoadOutcome::Loaded);
    EXPECT_EQ(mirror.events, (Events{"bulk{", "}bulk(replaced)", "bulk{", "}bulk(replaced)",
                                     "bulk{", "}bulk(replaced)"}));
    mirror.expectInStep();
}

TEST_F(DatabaseEventsTest, ObserversMayLeaveWhileTheyAreTold) {
    struct Leaver : DatabaseObserver {
        explicit Leaver(Database& d) : db(d) { db.addObserver(this); }
        void categoriesInserted(const CategoryRows&) override {
            ++heard;
            db.removeObserver(this);
        }
        Database& db;
        int heard = 0;
    } first(db), second(db);
    db.addCategory(3, {"a", {}, {}, {}});
    EXPECT_EQ(first.heard + second.heard, 2);  // both heard it...
    db.addCategory(3, {"b", {}, {}, {}});
    EXPECT_EQ(first.heard + second.heard, 2);  // ...and left
}

}  // namespace
}  // namespace lh::store

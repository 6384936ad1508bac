#include "store/Database.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Sanitizers.h"
#include "store/TreeWalk.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

// Records what the views would hear.
struct RecordingObserver : DatabaseObserver {
    std::vector<std::string> events;
    void treeRebuilt(CategoryRecord& root) override { events.push_back("rebuilt " + root.name); }
    void itemAdded(ItemRecord& item) override {
        events.push_back("added " + std::string(item.title()));
    }
    void itemRemoving(ItemRecord& item) override {
        events.push_back("removing " + std::string(item.title()));
    }
    void favouriteAdded(ItemRecord& item) override {
        events.push_back("fav+ " + std::to_string(item.menuId));
    }
    void favouriteRemoved(ItemRecord& item) override {
        events.push_back("fav- " + std::to_string(item.menuId));
    }
};

std::unique_ptr<ItemRecord> makeItem(std::uint16_t category, std::string title,
                                     std::string address = "", std::uint32_t flags = 0) {
    auto item = std::make_unique<ItemRecord>();
    item->categoryId = category;
    item->setTitle(title);
    item->setAddress(address);
    item->flags = flags;
    return item;
}

std::vector<std::string> titles(const CategoryRecord& c) {
    std::vector<std::string> out;
    for (const ItemRecord* i = c.firstItem; i != nullptr; i = i->next) {
        out.push_back(std::string(i->title()) + "@" + std::to_string(i->position));
    }
    return out;
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    test::FakeClock clock;
    Database db{clock};
};

TEST_F(DatabaseTest, DefaultDatabaseHasTheSampleTree) {
    EXPECT_EQ(db.nextCategoryId(), 18u);
    EXPECT_EQ(db.categoryIndex().size(), 10u);
    const CategoryRecord* second = db.findCategory(8);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name, "Technology");
    EXPECT_EQ(second->depth, 3);
    EXPECT_EQ(second->folderPath, "C:\\Orchard");
    EXPECT_EQ(second->parent, db.findCategory(3));
    EXPECT_EQ(db.root()->name, "Linkhaven");
    EXPECT_EQ(db.root()->firstChild->name, "Webfavorite");
    EXPECT_EQ(db.root()->firstChild->flags, 0x11);
    EXPECT_EQ(db.root()->firstChild->nextSibling->name, "Recycle");
    EXPECT_EQ(db.findCategory(2)->folderPath, "C:\\Deleted");
    EXPECT_EQ(db.findCategory(10), nullptr);

    std::vector<std::string> order;
    walkSearchOrder(db.root(), [&](CategoryRecord& c) {
        order.push_back(std::to_string(c.id));
        return false;
    });
    EXPECT_EQ(order, (std::vector<std::string>{"0", "1", "3", "7", "8", "9", "4", "5", "6", "2"}));
}

TEST_F(DatabaseTest, AddCategoryAppendsLastChildWithParentsClass) {
    CategoryRecord& bbs = *db.findCategory(3);
    auto fresh = std::make_unique<CategoryRecord>();
    fresh->name = "New";
    fresh->flags = 0x41;  // its own class is replaced, "expanded" kept
    CategoryRecord* added = db.addCategory(std::move(fresh), bbs);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 18);
    EXPECT_EQ(added->flags, 0x11);
    EXPECT_EQ(added->depth, 3);
    EXPECT_EQ(added->backLink, db.findCategory(9));
    EXPECT_EQ(db.findCategory(9)->nextSibling, added);
    EXPECT_EQ(bbs.lastChild, added);
    EXPECT_EQ(db.findCategory(18), added);
    EXPECT_EQ(db.nextCategoryId(), 19u);
}

TEST_F(DatabaseTest, CategoryIdsStopBeforeTheyWrap) {
    CategoryRecord& bbs = *db.findCategory(3);
    for (std::uint32_t id = db.nextCategoryId(); id < kCategoryIdLimit; ++id) {
        auto c = std::make_unique<CategoryRecord>();
        c->name = "c";
        ASSERT_NE(db.addCategory(std::move(c), bbs), nullptr);
    }
    EXPECT_NE(db.findCategory(65534), nullptr);
    auto one = std::make_unique<CategoryRecord>();
    one->name = "one too many";
    EXPECT_EQ(db.addCategory(std::move(one), bbs), nullptr);
    EXPECT_EQ(db.lastError().systemError, EOVERFLOW);
    EXPECT_EQ(db.findCategory(0)->name, "Linkhaven");  // nothing wrapped onto the root
}

TEST_F(DatabaseTest, AddItemNumbersChainsAndFillsTheFavouritesMenu) {
    RecordingObserver seen;
    db.setObserver(&seen);
    ItemRecord* a = db.addItem(makeItem(3, "a", "http://a/"));
    ItemRecord* b = db.addItem(makeItem(3, "b", "http://b/"));
    ItemRecord* file = db.addItem(makeItem(3, "f.txt", "", kKindFile));
    ItemRecord* remind = db.addItem(makeItem(3, "r", "", kKindRemind | 0x20));
    ASSERT_TRUE(a && b && file && remind);
    EXPECT_EQ(titles(*db.findCategory(3)),
              (std::vector<std::string>{"a@0", "b@1", "f.txt@2", "r@3"}));
    EXPECT_EQ(a->kind(), kKindUrl);      // kind from the URL category
    EXPECT_EQ(file->kind(), kKindFile);  // its own kind stays
    EXPECT_EQ(remind->kind(), kKindRemind);
    EXPECT_EQ(a->menuId, 0u);
    EXPECT_EQ(b->menuId, 1u);
    EXPECT_EQ(file->menuId, kNoMenuId);  // only links go to the favourites menu
    EXPECT_EQ(remind->menuId, kNoMenuId);
    EXPECT_EQ(db.findMenuItem(1), b);
    EXPECT_EQ(db.findMenuItem(2), nullptr);
    EXPECT_EQ(db.itemCount(), 4u);
    EXPECT_EQ(seen.events, (std::vector<std::string>{"fav+ 0", "added a", "fav+ 1", "added b",
                                                     "added f.txt", "added r"}));
    EXPECT_EQ(db.addItem(makeItem(999, "lost")), nullptr);
    EXPECT_EQ(db.itemCount(), 4u);
    db.setObserver(nullptr);
}

TEST_F(DatabaseTest, RemindIndexKeepsOrderAndDropsEmptyKeys) {
    ItemRecord* first = db.addItem(makeItem(3, "first", "", kKindRemind));
    ItemRecord* second = db.addItem(makeItem(3, "second", "", kKindRemind));
    db.addReminder(1830, *first);
    db.addReminder(1830, *second);
    db.addReminder(1830, *first);  // once per key
    ASSERT_NE(db.findReminders(1830), nullptr);
    EXPECT_EQ(*db.findReminders(1830), (std::vector<ItemRecord*>{first, second}));
    db.removeReminder(1830, *first);
    EXPECT_EQ(*db.findReminders(1830), (std::vector<ItemRecord*>{second}));
    db.removeReminder(1830, *second);
    EXPECT_EQ(db.findReminders(1830), nullptr);
    EXPECT_TRUE(db.remindIndex().empty());
}

TEST_F(DatabaseTest, DeletingItemsRenumbersAndLeavesNoIndexEntry) {
    ItemRecord* a = db.addItem(makeItem(4, "a", "http://a/"));
    ItemRecord* b = db.addItem(makeItem(4, "b", "http://b/"));
    ItemRecord* c = db.addItem(makeItem(4, "c", "http://c/"));
    ItemRecord* r = db.addItem(makeItem(4, "r", "", kKindRemind | 0x20));
    r->remindTime = {26, 12, 6, 18, 30, 0, 0};
    db.addReminder(1830, *r);
    db.deleteItem(*b, false);
    EXPECT_EQ(titles(*db.findCategory(4)), (std::vector<std::string>{"a@0", "c@1", "r@2"}));
    EXPECT_EQ(db.findMenuItem(1), nullptr);
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://b/"));
    ItemRecord* rest[] = {a, r};
    db.deleteItems(rest, false);
    EXPECT_EQ(titles(*db.findCategory(4)), (std::vector<std::string>{"c@0"}));
    EXPECT_EQ(db.findReminders(1830), nullptr);
    EXPECT_EQ(db.menuIndex().size(), 1u);
    EXPECT_EQ(db.findMenuItem(2), c);
    EXPECT_EQ(db.itemCount(), 1u);
}

TEST_F(DatabaseTest, DeletingFileItemsDeletesOnlyPlainNamesInTheirFolder) {
    test::TempDir dir;
    test::writeBytes(dir.file("doc.txt"), "x");
    test::writeBytes(dir.file("keep.txt"), "x");
    std::filesystem::create_directory(dir.file("sub"));
    const auto fileItem = [&](std::string folder, std::string name) {
        auto item = makeItem(4, name, "", kKindFile);
        item->setLocation(folder);
        return db.addItem(std::move(item));
    };
    ItemRecord* plain = fileItem(dir.path(), "doc.txt");
    ItemRecord* escape = fileItem(dir.file("sub"), "../keep.txt");
    ItemRecord* dots = fileItem(dir.path(), "..");
    ItemRecord* relative = fileItem("", "keep.txt");
    ItemRecord* all[] = {plain, escape, dots, relative};
    db.deleteItems(all, true);
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"keep.txt", "sub"}));
    EXPECT_EQ(db.itemCount(), 0u);
}

TEST_F(DatabaseTest, RemovingASubtreeTakesLaterSiblingsAndEveryIndexEntry) {
    // Remove "Joke" (4): it, "Download Site" (5) and "Technology" (6) go; "BBS" (3) stays.
    ItemRecord* keep = db.addItem(makeItem(3, "keep", "http://keep/"));
    db.addItem(makeItem(5, "gone", "http://gone/"));
    ItemRecord* r = db.addItem(makeItem(6, "r", "", kKindRemind | 0x20));
    r->remindTime = {26, 1, 1, 7, 0, 0, 0};
    db.addReminder(700, *r);
    db.setDeleteFilesAnswer(true);
    db.removeCategorySubtree(*db.findCategory(4));
    EXPECT_FALSE(db.deleteFilesAnswer());
    EXPECT_EQ(db.findCategory(4), nullptr);
    EXPECT_EQ(db.findCategory(5), nullptr);
    EXPECT_EQ(db.findCategory(6), nullptr);
    EXPECT_EQ(db.findCategory(3)->nextSibling, nullptr);
    EXPECT_EQ(db.findCategory(1)->lastChild, db.findCategory(3));
    EXPECT_TRUE(db.remindIndex().empty());
    EXPECT_EQ(db.menuIndex().size(), 1u);
    EXPECT_EQ(db.findMenuItem(0), keep);
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://gone/"));
    EXPECT_EQ(db.itemCount(), 1u);

    // removeCategory takes one category with everything below it, and keeps its siblings.
    db.removeCategory(3);
    EXPECT_EQ(db.findCategory(7), nullptr);
    EXPECT_EQ(db.findCategory(1)->firstChild, nullptr);
    EXPECT_EQ(db.findCategory(1)->nextSibling, db.findCategory(2));
    EXPECT_EQ(db.categoryIndex().size(), 3u);
    EXPECT_TRUE(db.menuIndex().empty());
}

TEST_F(DatabaseTest, MoveCategoryRefusesDescendantsAndFixesDepths) {
    CategoryRecord& bbs = *db.findCategory(3);
    EXPECT_FALSE(db.moveCategory(bbs, *db.findCategory(7)));
    EXPECT_FALSE(db.moveCategory(bbs, bbs));
    EXPECT_FALSE(db.moveCategory(*db.root(), bbs));
    ASSERT_TRUE(db.moveCategory(bbs, *db.findCategory(2)));
    EXPECT_EQ(db.findCategory(1)->firstChild, db.findCategory(4));
    EXPECT_EQ(db.findCategory(4)->backLink, db.findCategory(1));
    EXPECT_EQ(db.findCategory(2)->firstChild, &bbs);
    EXPECT_EQ(bbs.depth, 2);
    EXPECT_EQ(db.findCategory(8)->depth, 3);
    // Moving the last child keeps the old parent's last child right.
    ASSERT_TRUE(db.moveCategory(*db.findCategory(6), bbs));
    EXPECT_EQ(db.findCategory(1)->lastChild, db.findCategory(5));
    EXPECT_EQ(bbs.lastChild, db.findCategory(6));
    EXPECT_EQ(db.findCategory(6)->depth, 3);
}

TEST_F(DatabaseTest, MovingAnItemUpdatesMenuAndReminders) {
    ItemRecord* link = db.addItem(makeItem(3, "link", "http://x/"));
    ItemRecord* r = db.addItem(makeItem(3, "r", "", kKindRemind | 0x20));
    r->remindTime = {26, 1, 1, 7, 15, 0, 0};
    db.addReminder(715, *r);
    db.moveItem(*r, *db.findCategory(kRecycleId));  // reminders in the Recycle never ring
    EXPECT_EQ(db.findReminders(715), nullptr);
    db.moveItem(*r, *db.findCategory(4));
    ASSERT_NE(db.findReminders(715), nullptr);
    EXPECT_EQ(r->categoryId, 4);
    EXPECT_EQ(r->position, 0u);
    db.moveItem(*link, *db.findCategory(4));
    EXPECT_EQ(link->position, 1u);
    EXPECT_EQ(db.findMenuItem(link->menuId), link);
    EXPECT_EQ(db.findCategory(3)->firstItem, nullptr);
}

TEST_F(DatabaseTest, RenumberMenuFollowsFileOrderAndSkipsFilesAndReminders) {
    db.addItem(makeItem(7, "life", "http://l/"));
    db.addItem(makeItem(1, "fav", "http://f/"));
    db.addItem(makeItem(2, "bin", "http://b/"));
    db.addItem(makeItem(4, "joke", "http://j/"));
    db.addItem(makeItem(4, "file", "", kKindFile));
    ASSERT_EQ(db.renumberMenu(), 1);
    // Order: WebFavorite's items, then Recycle, then BBS ... Technology, then Life.
    std::vector<std::string> order;
    for (const auto& [id, item] : db.menuIndex()) {
        order.push_back(std::to_string(id) + ":" + std::string(item->title()));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"0:fav", "1:bin", "2:joke", "3:life"}));
    EXPECT_EQ(db.nextMenuId(), 4u);
}

TEST_F(DatabaseTest, CountUrlIgnoresCaseAndHonoursItsScope) {
    db.addItem(makeItem(7, "x", "HTTP://Example.org/Ä"));
    db.addItem(makeItem(2, "binned", "http://recycled/"));
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "http://example.org/ä"));
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "http://recycled/"));  // Recycle included
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://example.org/"));
    EXPECT_TRUE(db.countUrl(db.findCategory(3), "http://example.org/ä"));  // below BBS
    EXPECT_FALSE(db.countUrl(db.findCategory(4), "http://recycled/"));  // Recycle is not below Joke
    EXPECT_FALSE(db.countUrl(db.findCategory(8), "http://example.org/ä"));  // Life comes before
    EXPECT_TRUE(db.countUrl(db.findCategory(7), "http://example.org/ä"));
    ItemRecord* edited = db.findCategory(7)->firstItem;
    db.setItemAddress(*edited, "http://changed/");
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://example.org/ä"));
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "HTTP://CHANGED/"));
}

TEST_F(DatabaseTest, CountFileMatchesNameAndFolderBelowTheCategory) {
    auto file = makeItem(8, "Report.PDF", "", kKindFile);
    file->setLocation("/home/Ann/Docs");
    db.addItem(std::move(file));
    EXPECT_TRUE(db.countFile(*db.findCategory(1), "report.pdf", "/HOME/ann/docs"));
    EXPECT_TRUE(db.countFile(*db.findCategory(8), "report.pdf", "/home/ann/docs"));
    EXPECT_FALSE(db.countFile(*db.findCategory(4), "report.pdf", "/home/ann/docs"));
    EXPECT_FALSE(db.countFile(*db.findCategory(1), "report.pdf", "/home/ann"));
}

TEST(TreeWalkTest, FileOrderAndSearchOrderDiffer) {
    Database db;
    db.createDefault();
    std::vector<int> file, search;
    walkFileOrder(db.root(), [&](CategoryRecord& c, CategoryRecord* anchor, std::uint8_t rel) {
        file.push_back(c.id);
        if (c.id == 2) {
            EXPECT_EQ(anchor->id, 1);
            EXPECT_EQ(rel, kRelationNextSibling);
        }
        if (c.id == 7) {
            EXPECT_EQ(anchor->id, 3);
            EXPECT_EQ(rel, kRelationFirstChild);
        }
    });
    walkSearchOrder(db.findCategory(1), [&](CategoryRecord& c) {
        search.push_back(c.id);
        return false;
    });
    EXPECT_EQ(file, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(search, (std::vector<int>{1, 3, 7, 8, 9, 4, 5, 6, 2}));
}

}  // namespace
}  // namespace lh::store

namespace lh::store {
namespace {

TEST(LoadedDatabaseTest, LoadedRecordsCanBeEditedDeletedAndTheIndexCatchesUp) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    {
        Database writer;
        writer.createDefault();
        for (int i = 0; i < 50; ++i) {
            writer.addItem(makeItem(static_cast<std::uint16_t>(3 + i % 3), "t" + std::to_string(i),
                                    "http://host/" + std::to_string(i)));
        }
        ASSERT_EQ(writer.save(path), 1);
    }
    Database db;
    ASSERT_EQ(db.load(path), 1);
    // Changes before the first duplicate test, while the address index is not built yet.
    ItemRecord* first = db.findCategory(3)->firstItem;
    db.setItemAddress(*first, "http://renamed/");
    first->setTitle(std::string(5000, 'x'));  // the texts move from the arena to the heap
    ItemRecord* second = first->next;
    db.deleteItem(*second, false);
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "HTTP://RENAMED/"));
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://host/0"));
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://host/3"));  // the deleted one
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "http://host/6"));
    // And after it: the index follows every change.
    db.moveItem(*first, *db.findCategory(kRecycleId));
    db.deleteItem(*db.findCategory(4)->firstItem, false);
    EXPECT_FALSE(db.countUrl(db.findCategory(1), "http://host/1"));
    auto added = makeItem(5, "new", "http://added/");
    db.addItem(std::move(added));
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "http://added/"));
    EXPECT_EQ(db.itemCount(), 49u);
    // Emptying and loading again leaves nothing of the old records behind.
    ASSERT_EQ(db.load(path), 1);
    EXPECT_EQ(db.itemCount(), 50u);
    EXPECT_TRUE(db.countUrl(db.findCategory(1), "http://host/3"));
}

}  // namespace
}  // namespace lh::store

namespace lh::store {
namespace {

#ifdef LINKHAVEN_ASAN
TEST(LoadedDatabaseDeathTest, ADeletedLoadedRecordCannotBeUsedUnnoticed) {
    test::TempDir dir;
    Database writer;
    writer.createDefault();
    writer.addItem(makeItem(3, "gone", "http://gone/"));
    ASSERT_EQ(writer.save(dir.file("a.lhd")), 1);
    EXPECT_DEATH(
        {
            Database db;
            db.load(dir.file("a.lhd"));
            ItemRecord* item = db.findCategory(3)->firstItem;
            db.deleteItem(*item, false);
            volatile std::uint32_t flags = item->flags;  // use after delete
            (void)flags;
        },
        "use-after-poison");
}
#endif

}  // namespace
}  // namespace lh::store

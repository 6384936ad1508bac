#include "store/Database.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using test::link;

std::vector<std::string> titles(const CategoryRecord& c) {
    std::vector<std::string> out;
    for (const ItemRecord* i = c.firstItem(); i != nullptr; i = i->next()) {
        out.push_back(std::string(i->title()) + "@" + std::to_string(i->position()));
    }
    return out;
}

ItemFields remindItem(std::string title, DateTimeStamp when, std::uint32_t schedule) {
    ItemFields fields;
    fields.title = std::move(title);
    fields.flags = kKindRemind | schedule;
    fields.remindTime = when;
    return fields;
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    const CategoryRecord& cat(CategoryId id) { return *db.findCategory(id); }
    ItemId add(CategoryId category, ItemFields fields) {
        const ItemRecord* item = db.addItem(category, fields);
        EXPECT_NE(item, nullptr);
        return item != nullptr ? item->id() : kNoItemId;
    }

    test::FakeClock clock;
    Database db{clock};
};

TEST_F(DatabaseTest, AddCategoryAppendsLastChildWithParentsClassUnlessGiven) {
    const CategoryRecord* added = db.addCategory(3, {"New", "memo", {}, {}});
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(db.findCategory(18), added);
    EXPECT_EQ(added->flags(), 0x10);  // the parent's class, shown collapsed
    EXPECT_EQ(added->memo(), "memo");
    EXPECT_EQ(added->depth(), 3);
    EXPECT_EQ(added->backLink(), db.findCategory(9));
    EXPECT_EQ(cat(3).lastChild(), added);
    EXPECT_EQ(db.addCategory(3, {"Files", {}, {}, kClassFile})->flags(), kClassFile);
    EXPECT_EQ(db.addCategory(999, {"lost", {}, {}, {}}), nullptr);
}

TEST_F(DatabaseTest, AddItemNumbersChainsGivesIdsAndFillsTheFavouritesMenu) {
    const ItemId a = add(3, link("a", "http://a/"));
    const ItemId b = add(3, link("b", "http://b/"));
    ItemFields file;
    file.title = "f.txt";
    file.flags = kKindFile;
    const ItemId f = add(3, file);
    const ItemId r = add(3, remindItem("r", {}, kScheduleWeekdays));
    EXPECT_EQ(titles(cat(3)), (std::vector<std::string>{"a@0", "b@1", "f.txt@2", "r@3"}));
    EXPECT_EQ(cat(3).itemCount(), 4u);
    EXPECT_EQ(std::vector<ItemId>({a, b, f, r}), std::vector<ItemId>({1, 2, 3, 4}));
    EXPECT_EQ(db.findItem(a)->kind(), kKindUrl);   // kind from the URL category
    EXPECT_EQ(db.findItem(f)->kind(), kKindFile);  // its own kind stays
    EXPECT_EQ(db.findItem(a)->menuId(), 0u);
    EXPECT_EQ(db.findItem(b)->menuId(), 1u);
    EXPECT_EQ(db.findItem(f)->menuId(), kNoMenuId);  // only links go to the favourites menu
    EXPECT_EQ(db.findItem(r)->menuId(), kNoMenuId);
    EXPECT_EQ(db.findMenuItem(1), db.findItem(b));
    EXPECT_EQ(db.findMenuItem(2), nullptr);
    EXPECT_EQ(db.itemCount(), 4u);
    EXPECT_EQ(db.addItem(999, link("lost", "")), nullptr);
    EXPECT_EQ(db.itemCount(), 4u);
}

TEST_F(DatabaseTest, ItemIdsAreNeverReusedAndGoneIdsFindNothing) {
    const ItemId first = add(3, link("a", "http://a/"));
    db.deleteItems(std::vector<ItemId>{first}, false);
    EXPECT_EQ(db.findItem(first), nullptr);
    const ItemId second = add(3, link("b", "http://b/"));
    EXPECT_GT(second, first);
    db.createDefault();  // a new database: the old ids name nothing
    EXPECT_EQ(db.findItem(second), nullptr);
    EXPECT_GT(add(3, link("c", "http://c/")), second);
    EXPECT_EQ(db.findItem(kNoItemId), nullptr);
    EXPECT_EQ(db.findItem(0xFFFFFFF0u), nullptr);
}

TEST_F(DatabaseTest, RemindIndexKeepsOrderAndDropsEmptyKeys) {
    const ItemId first = add(3, remindItem("first", {}, 0));
    const ItemId second = add(3, remindItem("second", {}, 0));
    db.addReminder(1830, first);
    db.addReminder(1830, second);
    db.addReminder(1830, first);  // once per key
    ASSERT_NE(db.findReminders(1830), nullptr);
    EXPECT_EQ(*db.findReminders(1830),
              (std::vector<const ItemRecord*>{db.findItem(first), db.findItem(second)}));
    db.removeReminder(1830, first);
    EXPECT_EQ(*db.findReminders(1830), (std::vector<const ItemRecord*>{db.findItem(second)}));
    db.removeReminder(1830, second);
    EXPECT_EQ(db.findReminders(1830), nullptr);
    EXPECT_TRUE(db.remindIndex().empty());
}

TEST_F(DatabaseTest, DeletingItemsRenumbersAndLeavesNoIndexEntry) {
    const ItemId a = add(4, link("a", "http://a/"));
    const ItemId b = add(4, link("b", "http://b/"));
    const ItemId c = add(4, link("c", "http://c/"));
    const ItemId r = add(4, remindItem("r", {26, 12, 6, 18, 30, 0, 0}, kScheduleWeekdays));
    db.addReminder(1830, r);
    db.deleteItems(std::vector<ItemId>{b}, false);
    EXPECT_EQ(titles(cat(4)), (std::vector<std::string>{"a@0", "c@1", "r@2"}));
    EXPECT_EQ(db.findMenuItem(1), nullptr);
    EXPECT_FALSE(db.containsAddress(1, "http://b/"));
    db.deleteItems(std::vector<ItemId>{a, r, a, 12345}, false);  // repeats and unknown ids
    EXPECT_EQ(titles(cat(4)), (std::vector<std::string>{"c@0"}));
    EXPECT_EQ(db.findReminders(1830), nullptr);
    EXPECT_EQ(db.menuIndex().size(), 1u);
    EXPECT_EQ(db.findMenuItem(2), db.findItem(c));
    EXPECT_EQ(db.itemCount(), 1u);
    EXPECT_EQ(cat(4).itemCount(), 1u);
}

TEST_F(DatabaseTest, DeletingFileItemsDeletesOnlyPlainNamesInTheirFolder) {
    test::TempDir dir;
    test::writeBytes(dir.file("doc.txt"), "x");
    test::writeBytes(dir.file("keep.txt"), "x");
    std::filesystem::create_directory(dir.file("sub"));
    const auto fileItem = [&](std::string folder, std::string name) {
        ItemFields fields;
        fields.title = std::move(name);
        fields.location = std::move(folder);
        fields.flags = kKindFile;
        return add(4, fields);
    };
    const std::vector<ItemId> all = {fileItem(dir.path(), "doc.txt"),
                                     fileItem(dir.file("sub"), "../keep.txt"),
                                     fileItem(dir.path(), ".."), fileItem("", "keep.txt")};
    db.deleteItems(all, true);
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"keep.txt", "sub"}));
    EXPECT_EQ(db.itemCount(), 0u);
}

TEST_F(DatabaseTest, RemovingACategoryTakesEverythingBelowItAndEveryIndexEntry) {
    const ItemId keep = add(3, link("keep", "http://keep/"));
    add(7, link("gone", "http://gone/"));
    const ItemId r = add(8, remindItem("r", {26, 1, 1, 7, 0, 0, 0}, kScheduleWeekdays));
    db.addReminder(700, r);
    test::TempDir dir;
    test::writeBytes(dir.file("doc.txt"), "x");
    ItemFields file;
    file.title = "doc.txt";
    file.location = dir.path();
    file.flags = kKindFile;
    add(9, file);
    db.removeCategory(7, false);  // one category; its later siblings stay
    EXPECT_EQ(db.findCategory(7), nullptr);
    EXPECT_EQ(cat(3).firstChild(), db.findCategory(8));
    EXPECT_EQ(cat(8).backLink(), db.findCategory(3));
    EXPECT_EQ(cat(3).childCount(), 2u);
    db.removeCategory(3, true);  // with everything below it, files deleted
    for (CategoryId gone : {3, 8, 9}) {
        EXPECT_EQ(db.findCategory(gone), nullptr);
    }
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{});
    EXPECT_EQ(cat(1).firstChild(), db.findCategory(4));
    EXPECT_EQ(cat(4).backLink(), db.findCategory(1));
    EXPECT_TRUE(db.remindIndex().empty());
    EXPECT_TRUE(db.menuIndex().empty());
    EXPECT_EQ(db.findItem(keep), nullptr);
    EXPECT_FALSE(db.containsAddress(1, "http://gone/"));
    EXPECT_EQ(db.itemCount(), 0u);
    EXPECT_EQ(db.categoryCount(), 6u);
    db.removeCategory(kRootId, false);  // the root goes only with the whole database
    EXPECT_TRUE(db.isOpen());
}

TEST_F(DatabaseTest, MoveCategoryRefusesDescendantsAndFixesDepths) {
    EXPECT_FALSE(db.moveCategory(3, 7));
    EXPECT_FALSE(db.moveCategory(3, 3));
    EXPECT_FALSE(db.moveCategory(kRootId, 3));
    EXPECT_FALSE(db.moveCategory(3, 999));
    ASSERT_TRUE(db.moveCategory(3, 2));
    EXPECT_EQ(cat(1).firstChild(), db.findCategory(4));
    EXPECT_EQ(cat(4).backLink(), db.findCategory(1));
    EXPECT_EQ(cat(2).firstChild(), db.findCategory(3));
    EXPECT_EQ(cat(3).depth(), 2);
    EXPECT_EQ(cat(8).depth(), 3);
    EXPECT_EQ(cat(1).childCount(), 3u);
    // Moving the last child keeps the old parent's last child right.
    ASSERT_TRUE(db.moveCategory(6, 3));
    EXPECT_EQ(cat(1).lastChild(), db.findCategory(5));
    EXPECT_EQ(cat(3).lastChild(), db.findCategory(6));
    EXPECT_EQ(cat(6).depth(), 3);
}

TEST_F(DatabaseTest, MovingItemsUpdatesMenuAndReminders) {
    const ItemId link1 = add(3, link("link", "http://x/"));
    const ItemId r = add(3, remindItem("r", {26, 1, 1, 7, 15, 0, 0}, kScheduleWeekdays));
    db.addReminder(715, r);
    db.moveItems(std::vector<ItemId>{r}, kRecycleId);  // reminders in the Recycle never ring
    EXPECT_EQ(db.findReminders(715), nullptr);
    db.moveItems(std::vector<ItemId>{r}, 4);
    ASSERT_NE(db.findReminders(715), nullptr);
    EXPECT_EQ(db.findItem(r)->categoryId(), 4);
    EXPECT_EQ(db.findItem(r)->position(), 0u);
    db.moveItems(std::vector<ItemId>{link1}, 4);
    EXPECT_EQ(db.findItem(link1)->position(), 1u);
    EXPECT_EQ(db.findMenuItem(db.findItem(link1)->menuId()), db.findItem(link1));
    EXPECT_EQ(cat(3).firstItem(), nullptr);
    EXPECT_EQ(cat(3).itemCount(), 0u);
    // Into a category that is not a favourites category, a link leaves the menu.
    db.setCategoryClass(5, kClassFile);
    db.moveItems(std::vector<ItemId>{link1}, 5);
    EXPECT_EQ(db.findItem(link1)->menuId(), kNoMenuId);
    EXPECT_TRUE(db.menuIndex().empty());
}

TEST_F(DatabaseTest, MoveItemsPlacesTheRunInTheOrderGivenInFrontOfAnItem) {
    std::vector<ItemId> ids;
    for (const char* t : {"a", "b", "c", "d", "e"}) {
        ids.push_back(add(4, link(t, std::string("http://") + t + "/")));
    }
    const ItemId bin = add(kRecycleId, link("old", "http://old/"));
    // Highest row first, in front of Recycle's first item: reverse order, before "old".
    db.moveItems(std::vector<ItemId>{ids[3], ids[1], ids[0]}, kRecycleId, bin);
    EXPECT_EQ(titles(cat(kRecycleId)), (std::vector<std::string>{"d@0", "b@1", "a@2", "old@3"}));
    EXPECT_EQ(titles(cat(4)), (std::vector<std::string>{"c@0", "e@1"}));
    // Within one chain: "e" in front of "c"; a `before` that moves itself means its successor.
    db.moveItems(std::vector<ItemId>{ids[4]}, 4, ids[2]);
    EXPECT_EQ(titles(cat(4)), (std::vector<std::string>{"e@0", "c@1"}));
    db.moveItems(std::vector<ItemId>{ids[1], ids[3]}, kRecycleId, ids[3]);
    EXPECT_EQ(titles(cat(kRecycleId)), (std::vector<std::string>{"b@0", "d@1", "a@2", "old@3"}));
    db.moveItems(std::vector<ItemId>{ids[2]}, 999);  // no such target
    EXPECT_EQ(titles(cat(4)), (std::vector<std::string>{"e@0", "c@1"}));
}

TEST_F(DatabaseTest, EditItemChangesOnlyWhatDiffersAndRefilesItsIndexes) {
    const ItemId id = add(3, link("a", "http://a/"));
    test::DatabaseMirror mirror(db);
    ItemEdit edit;
    edit.title = "a";  // unchanged: nothing happens
    db.editItem(id, edit);
    EXPECT_TRUE(mirror.events.empty());
    edit.address = "HTTP://B/";
    edit.comment = "c";
    db.editItem(id, edit);
    EXPECT_EQ(mirror.events,
              std::vector<std::string>{"item~ 1 " + std::to_string(unsigned(ItemField::Address) |
                                                                   unsigned(ItemField::Comment))});
    EXPECT_FALSE(db.containsAddress(1, "http://a/"));
    EXPECT_TRUE(db.containsAddress(1, "http://b/"));
    // Becoming a reminder leaves the favourites menu and files it under its key.
    ItemEdit toReminder;
    toReminder.flags = kKindRemind | kScheduleWeekdays;
    toReminder.remindTime = DateTimeStamp{26, 1, 1, 7, 15, 0, 0};
    db.editItem(id, toReminder);
    EXPECT_EQ(db.findItem(id)->menuId(), kNoMenuId);
    ASSERT_NE(db.findReminders(715), nullptr);
    // A reminder taken out (it rang) stays out while its key stays; a new key files it again.
    db.removeReminder(715, id);
    ItemEdit rename;
    rename.title = "renamed";
    db.editItem(id, rename);
    EXPECT_EQ(db.findReminders(715), nullptr);
    ItemEdit later;
    later.remindTime = DateTimeStamp{26, 1, 1, 8, 0, 0, 0};
    db.editItem(id, later);
    EXPECT_NE(db.findReminders(800), nullptr);
    db.editItem(999, rename);  // unknown: ignored
}

TEST_F(DatabaseTest, CategoryEditsAreToldOnlyWhenSomethingChanges) {
    add(5, link("x", "http://x/"));
    test::DatabaseMirror mirror(db);
    db.renameCategory(5, "Download Site");  // the same name
    db.setCategoryMemo(5, "");
    db.setCategoryClass(5, kClassUrl);
    EXPECT_TRUE(mirror.events.empty());
    db.renameCategory(5, "Downloads");
    db.setCategoryMemo(5, "memo");
    db.setCategoryClass(5, kClassFile | 0x01);  // only the class nibble counts
    EXPECT_EQ(mirror.events, (std::vector<std::string>{"cat~ 5 1", "cat~ 5 2", "cat~ 5 4"}));
    EXPECT_EQ(cat(5).name(), "Downloads");
    EXPECT_EQ(cat(5).flags(), kClassFile);
    EXPECT_TRUE(db.menuIndex().empty());  // its link left the favourites menu
}

TEST_F(DatabaseTest, RenumberMenuFollowsFileOrderAndSkipsFilesAndReminders) {
    add(7, link("life", "http://l/"));
    add(1, link("fav", "http://f/"));
    add(2, link("bin", "http://b/"));
    add(4, link("joke", "http://j/"));
    ItemFields file;
    file.title = "file";
    file.flags = kKindFile;
    add(4, file);
    ASSERT_TRUE(db.renumberMenu());
    // Order: WebFavorite's items, then Recycle, then BBS ... Technology, then Life.
    std::vector<std::string> order;
    for (const auto& [id, item] : db.menuIndex()) {
        order.push_back(std::to_string(id) + ":" + std::string(item->title()));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"0:fav", "1:bin", "2:joke", "3:life"}));
    EXPECT_EQ(db.nextMenuId(), 4u);
}

TEST_F(DatabaseTest, ContainsAddressIgnoresCaseAndHonoursItsScope) {
    const ItemId x = add(7, link("x", "HTTP://Example.org/Ä"));
    add(2, link("binned", "http://recycled/"));
    EXPECT_TRUE(db.containsAddress(1, "http://example.org/ä"));
    EXPECT_TRUE(db.containsAddress(1, "http://recycled/"));  // Recycle included
    EXPECT_FALSE(db.containsAddress(1, "http://example.org/"));
    EXPECT_TRUE(db.containsAddress(3, "http://example.org/ä"));   // below BBS
    EXPECT_FALSE(db.containsAddress(4, "http://recycled/"));      // Recycle is not below Joke
    EXPECT_FALSE(db.containsAddress(8, "http://example.org/ä"));  // Life comes before
    EXPECT_TRUE(db.containsAddress(7, "http://example.org/ä"));
    EXPECT_FALSE(db.containsAddress(999, "http://example.org/ä"));
    ItemEdit edit;
    edit.address = "http://changed/";
    db.editItem(x, edit);
    EXPECT_FALSE(db.containsAddress(1, "http://example.org/ä"));
    EXPECT_TRUE(db.containsAddress(1, "HTTP://CHANGED/"));
}

TEST_F(DatabaseTest, ContainsFileMatchesNameAndFolderBelowTheCategory) {
    ItemFields file;
    file.title = "Report.PDF";
    file.location = "/home/Ann/Docs";
    file.flags = kKindFile;
    add(8, file);
    EXPECT_TRUE(db.containsFile(1, "report.pdf", "/HOME/ann/docs"));
    EXPECT_TRUE(db.containsFile(8, "report.pdf", "/home/ann/docs"));
    EXPECT_FALSE(db.containsFile(4, "report.pdf", "/home/ann/docs"));
    EXPECT_FALSE(db.containsFile(1, "report.pdf", "/home/ann"));
}

TEST_F(DatabaseTest, LoadedRecordsCanBeEditedDeletedAndTheIndexCatchesUp) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    platform::IoError error;
    {
        Database writer;
        writer.createDefault();
        for (int i = 0; i < 50; ++i) {
            writer.addItem(static_cast<CategoryId>(3 + i % 3),
                           link("t" + std::to_string(i), "http://host/" + std::to_string(i)));
        }
        ASSERT_TRUE(writer.save(path, error));
    }
    Database loaded;
    ASSERT_EQ(loaded.load(path, error), LoadOutcome::Loaded);
    // Changes before the first duplicate test, while the address index is not built yet.
    const ItemRecord* first = loaded.findCategory(3)->firstItem();
    const ItemId firstId = first->id();
    ItemEdit edit;
    edit.address = "http://renamed/";
    edit.title = std::string(5000, 'x');  // the texts move from the arena to the heap
    loaded.editItem(firstId, edit);
    loaded.deleteItems(std::vector<ItemId>{first->next()->id()}, false);
    EXPECT_TRUE(loaded.containsAddress(1, "HTTP://RENAMED/"));
    EXPECT_FALSE(loaded.containsAddress(1, "http://host/0"));
    EXPECT_FALSE(loaded.containsAddress(1, "http://host/3"));  // the deleted one
    EXPECT_TRUE(loaded.containsAddress(1, "http://host/6"));
    // And after it: the index follows every change.
    loaded.moveItems(std::vector<ItemId>{firstId}, kRecycleId);
    loaded.deleteItems(std::vector<ItemId>{loaded.findCategory(4)->firstItem()->id()}, false);
    EXPECT_FALSE(loaded.containsAddress(1, "http://host/1"));
    loaded.addItem(5, link("new", "http://added/"));
    EXPECT_TRUE(loaded.containsAddress(1, "http://added/"));
    EXPECT_EQ(loaded.itemCount(), 49u);
    // Emptying and loading again leaves nothing of the old records behind.
    ASSERT_EQ(loaded.load(path, error), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.itemCount(), 50u);
    EXPECT_TRUE(loaded.containsAddress(1, "http://host/3"));
    EXPECT_EQ(loaded.findItem(firstId), nullptr);
}

}  // namespace
}  // namespace lh::store

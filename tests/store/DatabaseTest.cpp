#include "store/Database.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/Sanitizers.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using test::fileItem;
using test::link;
using Ids = std::vector<ItemId>;
using Texts = std::vector<std::string>;

ItemFields remindItem(std::string title, DateTimeStamp when) {
    return {"", "", std::move(title), "", 1, kKindRemind | kScheduleWeekdays, 0, {}, when};
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
    // The chain of a category; each item's position is its row, the count the chain's length.
    Texts titles(CategoryId id) {
        const Texts out = test::itemTitles(db, id);
        EXPECT_EQ(cat(id).itemCount(), out.size());
        return out;
    }
    // The favourites menu as "slot:title"; each item knows its slot.
    Texts menu() {
        Texts out;
        for (const auto& [slot, item] : db.menuIndex()) {
            out.push_back(std::to_string(slot) + ":" + std::string(item->title()));
            EXPECT_EQ(item->menuId(), slot);
        }
        return out;
    }

    test::FakeClock clock;
    Database db{clock};
};

TEST_F(DatabaseTest, ItemsAreNumberedFiledAndDeletedWithoutTrace) {
    const Ids ids = {add(4, link("a", "http://a/")), add(4, link("b", "http://b/")),
                     add(4, fileItem("f.txt", "")),
                     add(4, remindItem("r", {26, 12, 6, 18, 30, 0, 0}))};
    EXPECT_EQ(ids, (Ids{1, 2, 3, 4}));
    EXPECT_EQ(titles(4), (Texts{"a", "b", "f.txt", "r"}));
    EXPECT_EQ(db.findItem(1)->kind(), kKindUrl);   // kind from the URL category
    EXPECT_EQ(db.findItem(3)->kind(), kKindFile);  // its own kind stays
    EXPECT_EQ(menu(), (Texts{"0:a", "1:b"}));      // only links go to the favourites menu
    EXPECT_EQ(db.findItem(3)->menuId(), kNoMenuId);
    EXPECT_EQ(db.addItem(999, link("lost", "")), nullptr);
    const ItemId other = add(5, remindItem("other", {26, 12, 6, 18, 30, 0, 0}));
    for (ItemId id : {ids[3], other, ids[3]}) {
        db.addReminder(1830, id);  // in the order filed, once per key
    }
    const auto due = [&] { return *db.findReminders(1830); };
    EXPECT_EQ(due(), (std::vector<const ItemRecord*>{db.findItem(ids[3]), db.findItem(other)}));

    db.deleteItems(Ids{ids[1]}, false);
    EXPECT_EQ(titles(4), (Texts{"a", "f.txt", "r"}));
    EXPECT_EQ(menu(), Texts{"0:a"});
    EXPECT_FALSE(db.containsAddress(1, "http://b/"));
    db.deleteItems(Ids{ids[0], ids[3], ids[0], 12345}, false);  // repeats and unknown ids
    EXPECT_EQ(titles(4), (Texts{"f.txt"}));
    EXPECT_EQ(due(), (std::vector<const ItemRecord*>{db.findItem(other)}));
    db.removeReminder(1830, other);
    EXPECT_TRUE(db.remindIndex().empty());  // an empty key goes
    EXPECT_TRUE(db.menuIndex().empty());
    EXPECT_EQ(db.itemCount(), 2u);
    EXPECT_EQ(db.findItem(ids[0]), nullptr);
    EXPECT_GT(add(4, link("d", "")), other);
    db.createDefault();  // a new database: the old ids name nothing, new ones go on counting
    EXPECT_EQ(db.findItem(ids[2]), nullptr);
    EXPECT_EQ(add(3, link("e", "")), other + 2);
    EXPECT_EQ(db.findItem(kNoItemId), nullptr);
}

TEST_F(DatabaseTest, RemovingTakesEverythingBelowAndEveryIndexEntry) {
    add(7, link("gone", "http://gone/"));
    db.addReminder(700, add(8, remindItem("r", {26, 1, 1, 7, 0, 0, 0})));
    test::TempDir dir;
    for (const char* name : {"doc.txt", "keep.txt", "other.txt"}) {
        test::writeBytes(dir.file(name), "x");
    }
    std::filesystem::create_directory(dir.file("sub"));
    // Only a plain file name in an absolute folder is deleted, alone or with its category.
    db.deleteItems(Ids{add(4, fileItem("doc.txt", dir.path())),
                       add(4, fileItem("../keep.txt", dir.file("sub"))),
                       add(4, fileItem("..", dir.path())), add(4, fileItem("keep.txt", ""))},
                   true);
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"keep.txt", "other.txt", "sub"}));
    add(9, fileItem("other.txt", dir.path()));
    db.removeCategory(7, false);  // one category; its later siblings stay
    EXPECT_EQ(db.findCategory(7), nullptr);
    EXPECT_EQ(cat(3).firstChild(), db.findCategory(8));
    EXPECT_EQ(cat(8).backLink(), db.findCategory(3));
    EXPECT_EQ(cat(3).childCount(), 2u);
    EXPECT_TRUE(db.menuIndex().empty());
    EXPECT_FALSE(db.containsAddress(1, "http://gone/"));
    db.removeCategory(3, true);  // with everything below it, files deleted
    for (CategoryId gone : {3, 8, 9}) {
        EXPECT_EQ(db.findCategory(gone), nullptr);
    }
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"keep.txt", "sub"}));
    EXPECT_EQ(cat(1).firstChild(), db.findCategory(4));
    EXPECT_EQ(cat(4).backLink(), db.findCategory(1));
    EXPECT_TRUE(db.remindIndex().empty());
    EXPECT_EQ(db.itemCount(), 0u);
    EXPECT_EQ(db.categoryCount(), 6u);
    db.removeCategory(kRootId, false);  // the root goes only with the whole database
    EXPECT_TRUE(db.isOpen());
}

TEST_F(DatabaseTest, FileDeletesTouchOnlyTheItemsOwnPathAndReportWhatStays) {
    test::TempDir dir;
    test::writeBytes(dir.file("target.txt"), "x");
    std::filesystem::create_symlink(dir.file("target.txt"), dir.file("link.txt"));
    std::filesystem::create_directory(dir.file("folder"));
    // The link goes, not its target; a missing file is no failure; a folder stays, reported.
    const auto failures = db.deleteItems(
        Ids{add(4, fileItem("link.txt", dir.path())), add(4, fileItem("missing.txt", dir.path())),
            add(4, fileItem("folder", dir.path()))},
        true);
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"folder", "target.txt"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, dir.file("folder"));
    EXPECT_EQ(failures[0].systemError, EISDIR);
    EXPECT_EQ(db.itemCount(), 0u);
}

TEST_F(DatabaseTest, AddAndMoveCategoriesKeepTheTreeLinksAndDepths) {
    const CategoryRecord* added = db.addCategory(3, {"New", "memo", {}, {}});
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(db.findCategory(18), added);
    EXPECT_EQ(added->flags(), 0x10);  // the parent's class, shown collapsed
    EXPECT_EQ(added->memo(), "memo");
    EXPECT_EQ(added->depth(), 3);
    EXPECT_EQ(added->backLink(), db.findCategory(9));
    EXPECT_EQ(cat(3).lastChild(), added);
    EXPECT_EQ(db.addCategory(2, {"Files", {}, {}, kClassFile})->flags(), kClassFile);
    EXPECT_EQ(db.addCategory(999, {"lost", {}, {}, {}}), nullptr);
    for (const auto& [id, target] : {std::pair{3, 7}, {3, 3}, {kRootId, 3}, {3, 999}}) {
        EXPECT_FALSE(db.moveCategory(id, target)) << id << " to " << target;
    }
    ASSERT_TRUE(db.moveCategory(3, 5));  // one level deeper, with everything below it
    EXPECT_EQ(cat(1).firstChild(), db.findCategory(4));
    EXPECT_EQ(cat(4).backLink(), db.findCategory(1));
    EXPECT_EQ(cat(5).firstChild(), db.findCategory(3));
    EXPECT_EQ(cat(3).depth(), 3);
    EXPECT_EQ(added->depth(), 4);
    EXPECT_EQ(cat(1).childCount(), 3u);
    // Moving the last child keeps the old parent's last child right.
    ASSERT_TRUE(db.moveCategory(6, 3));
    EXPECT_EQ(cat(1).lastChild(), db.findCategory(5));
    EXPECT_EQ(cat(3).lastChild(), db.findCategory(6));
    EXPECT_EQ(cat(6).depth(), 4);
}

TEST_F(DatabaseTest, MoveItemsPlacesTheRunInOrderAndRefilesMenuAndReminders) {
    Ids ids;
    for (const char* t : {"a", "b", "c", "d", "e"}) {
        ids.push_back(add(4, link(t, std::string("http://") + t + "/")));
    }
    const ItemId bin = add(kRecycleId, link("old", "http://old/"));
    // Highest row first, in front of Recycle's first item: reverse order, before "old".
    db.moveItems(Ids{ids[3], ids[1], ids[0]}, kRecycleId, bin);
    EXPECT_EQ(titles(kRecycleId), (Texts{"d", "b", "a", "old"}));
    EXPECT_EQ(titles(4), (Texts{"c", "e"}));
    // Within one chain: "e" in front of "c"; a `before` that moves itself means its successor.
    db.moveItems(Ids{ids[4]}, 4, ids[2]);
    EXPECT_EQ(titles(4), (Texts{"e", "c"}));
    db.moveItems(Ids{ids[1], ids[3]}, kRecycleId, ids[3]);
    EXPECT_EQ(titles(kRecycleId), (Texts{"b", "d", "a", "old"}));
    db.moveItems(Ids{ids[2]}, 999);  // no such target
    EXPECT_EQ(titles(4), (Texts{"e", "c"}));

    const ItemId r = add(3, remindItem("r", {26, 1, 1, 7, 15, 0, 0}));
    db.addReminder(715, r);
    db.moveItems(Ids{r}, kRecycleId);  // reminders in the Recycle never ring
    EXPECT_EQ(db.findReminders(715), nullptr);
    db.moveItems(Ids{r, ids[0]}, 3);
    ASSERT_NE(db.findReminders(715), nullptr);
    EXPECT_EQ(titles(3), (Texts{"r", "a"}));
    EXPECT_EQ(db.findItem(r)->categoryId(), 3);
    EXPECT_EQ(db.findMenuItem(0), db.findItem(ids[0]));
    // Into a category that is not a favourites category, a link leaves the menu.
    db.setCategoryClass(5, kClassFile);
    db.moveItems(Ids{ids[0]}, 5);
    EXPECT_EQ(db.findItem(ids[0])->menuId(), kNoMenuId);
    EXPECT_EQ(db.findMenuItem(0), nullptr);
}

TEST_F(DatabaseTest, EditsChangeOnlyWhatDiffersAndRefileTheIndexes) {
    const ItemId id = add(3, link("a", "http://a/"));
    add(5, link("x", "http://x/"));
    test::DatabaseMirror mirror(db);
    ItemEdit edit;
    edit.title = "a";  // unchanged: nothing happens
    db.editItem(id, edit);
    EXPECT_TRUE(mirror.events.empty());
    edit.address = "HTTP://B/";
    edit.comment = "c";
    db.editItem(id, edit);
    EXPECT_EQ(mirror.events, Texts{"item~ 1 " + std::to_string(unsigned(ItemField::Address) |
                                                               unsigned(ItemField::Comment))});
    EXPECT_FALSE(db.containsAddress(1, "http://a/"));
    EXPECT_TRUE(db.containsAddress(1, "http://b/"));
    // Becoming a reminder leaves the favourites menu and files it under its key.
    edit = {};
    edit.flags = kKindRemind | kScheduleWeekdays;
    edit.remindTime = DateTimeStamp{26, 1, 1, 7, 15, 0, 0};
    db.editItem(id, edit);
    EXPECT_EQ(db.findItem(id)->menuId(), kNoMenuId);
    ASSERT_NE(db.findReminders(715), nullptr);
    // A reminder taken out (it rang) stays out while its key stays; a new key files it again.
    db.removeReminder(715, id);
    edit = {};
    edit.title = "renamed";
    db.editItem(id, edit);
    EXPECT_EQ(db.findReminders(715), nullptr);
    edit.remindTime = DateTimeStamp{26, 1, 1, 8, 0, 0, 0};
    db.editItem(id, edit);
    EXPECT_NE(db.findReminders(800), nullptr);
    db.editItem(999, edit);  // unknown: ignored

    mirror.events.clear();
    db.renameCategory(5, "Download Site");  // the same name, memo and class
    db.setCategoryMemo(5, "");
    db.setCategoryClass(5, kClassUrl);
    EXPECT_TRUE(mirror.events.empty());
    db.renameCategory(5, "Downloads");
    db.setCategoryMemo(5, "memo");
    db.setCategoryClass(5, kClassFile | 0x01);  // only the class nibble counts
    EXPECT_EQ(mirror.events, (Texts{"cat~ 5 1", "cat~ 5 2", "cat~ 5 4"}));
    EXPECT_EQ(cat(5).name(), "Downloads");
    EXPECT_EQ(cat(5).flags(), kClassFile);
    EXPECT_TRUE(db.menuIndex().empty());  // the link in it left the favourites menu
}

TEST_F(DatabaseTest, RenumberMenuFollowsFileOrderAndSkipsFilesAndReminders) {
    add(7, link("life", "http://l/"));
    add(1, link("fav", "http://f/"));
    add(2, link("bin", "http://b/"));
    add(4, link("joke", "http://j/"));
    add(4, fileItem("file", ""));
    ASSERT_TRUE(db.renumberMenu());
    // Order: WebFavorite's items, then Recycle, then BBS ... Technology, then Life.
    EXPECT_EQ(menu(), (Texts{"0:fav", "1:bin", "2:joke", "3:life"}));
    EXPECT_EQ(db.nextMenuId(), 4u);
}

TEST_F(DatabaseTest, DuplicateTestsIgnoreCaseAndHonourTheirScope) {
    add(7, link("x", "HTTP://Example.org/Ä"));
    add(2, link("binned", "http://recycled/"));
    // The whole tree with the Recycle and any letter case is ItemEditorTest's; here the scope.
    EXPECT_FALSE(db.containsAddress(1, "http://example.org/"));
    EXPECT_TRUE(db.containsAddress(3, "http://example.org/ä"));   // below BBS
    EXPECT_FALSE(db.containsAddress(4, "http://recycled/"));      // Recycle is not below Joke
    EXPECT_FALSE(db.containsAddress(8, "http://example.org/ä"));  // Life comes before
    EXPECT_TRUE(db.containsAddress(7, "http://example.org/ä"));
    EXPECT_FALSE(db.containsAddress(999, "http://example.org/ä"));
}

// Records read from a file live in the loader's arena, their four texts in one block; a change
// of one text builds the block anew on the heap from the old one.
TEST_F(DatabaseTest, LoadedRecordsCanBeEditedDeletedAndTheIndexCatchesUp) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    for (int i = 0; i < 50; ++i) {
        const std::string n = std::to_string(i);
        add(static_cast<CategoryId>(3 + i % 3),
            {"http://host/" + n, "", "t" + n, "c" + n, 1, 0, 0, {}, {}});
    }
    ASSERT_TRUE(test::save(db, path));
    Database loaded;
    ASSERT_EQ(test::load(loaded, path), LoadOutcome::Loaded);
    // Changes before the first duplicate test, while the address index is not built yet.
    const ItemRecord& first = *loaded.findCategory(3)->firstItem();
    ItemEdit edit;
    edit.address = "http://renamed/";
    edit.title = std::string(5000, 'x');
    loaded.editItem(first.id(), edit);
    EXPECT_EQ(first.title(), edit.title);
    EXPECT_EQ(first.comment(), "c0");
    loaded.deleteItems(Ids{first.next()->id()}, false);
    EXPECT_TRUE(loaded.containsAddress(1, "HTTP://RENAMED/"));
    EXPECT_FALSE(loaded.containsAddress(1, "http://host/0"));
    EXPECT_FALSE(loaded.containsAddress(1, "http://host/3"));  // the deleted one
    EXPECT_TRUE(loaded.containsAddress(1, "http://host/6"));
    EXPECT_EQ(loaded.itemCount(), 49u);
    edit.address = edit.location = edit.title = edit.comment = "";
    loaded.editItem(first.id(), edit);
    EXPECT_TRUE(first.title().empty() && first.address().empty() && first.comment().empty());
    // Emptying and loading again leaves nothing of the old records behind.
    const ItemId firstId = first.id();
    ASSERT_EQ(test::load(loaded, path), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.itemCount(), 50u);
    EXPECT_TRUE(loaded.containsAddress(1, "http://host/3"));
    EXPECT_EQ(loaded.findItem(firstId), nullptr);
#ifdef LINKHAVEN_ASAN
    // A deleted record stays in the arena, poisoned: a use after the delete cannot go unnoticed.
    const ItemRecord* gone = loaded.findCategory(3)->firstItem();
    EXPECT_DEATH(
        {
            loaded.deleteItems(Ids{gone->id()}, false);
            volatile std::uint32_t flags = gone->flags();
            (void)flags;
        },
        "use-after-poison");
#endif
}

TEST_F(DatabaseTest, KindCountsFollowEveryChangeAndEveryLoad) {
    const auto counts = [](const Database& d) {
        return std::vector<std::size_t>{d.itemCountOfKind(kKindUrl), d.itemCountOfKind(kKindFile),
                                        d.itemCountOfKind(kKindRemind)};
    };
    const ItemId a = add(4, link("a", "http://a/"));
    add(4, link("b", "http://b/"));
    add(4, fileItem("f.txt", "/tmp"));
    const ItemId r = add(4, remindItem("r", {26, 12, 6, 18, 30, 0, 0}));
    EXPECT_EQ(counts(db), (std::vector<std::size_t>{2, 1, 1}));
    ItemEdit toFile;
    toFile.flags = kKindFile;
    db.editItem(a, toFile);
    db.deleteItems(Ids{r}, false);
    EXPECT_EQ(counts(db), (std::vector<std::size_t>{1, 2, 0}));
    test::TempDir dir;
    ASSERT_TRUE(test::save(db, dir.file("a.lhd")));
    Database loaded;
    ASSERT_EQ(test::load(loaded, dir.file("a.lhd")), LoadOutcome::Loaded);
    EXPECT_EQ(counts(loaded), counts(db));
    // A loaded record given texts of its own, and a new one: emptying the database must free
    // both (the leak checker watches).
    ItemEdit longer;
    longer.title = std::string(300, 't');
    loaded.editItem(loaded.findCategory(4)->firstItem()->id(), longer);
    loaded.addItem(4, link("new", "http://new/"));
    EXPECT_EQ(counts(loaded), (std::vector<std::size_t>{2, 2, 0}));
    ASSERT_EQ(test::load(loaded, dir.file("a.lhd")), LoadOutcome::Loaded);
    EXPECT_EQ(counts(loaded), counts(db));
    loaded.clear();
    EXPECT_EQ(counts(loaded), (std::vector<std::size_t>{0, 0, 0}));
}

}  // namespace
}  // namespace lh::store

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/LhdWriter.h"
#include "store/TreeWalk.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/LhdBytes.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using test::CategorySpec;
using test::ItemSpec;
using test::LhdBuilder;

class LhdFileTest : public ::testing::Test {
protected:
    // Writes `bytes` to a file, loads it, and checks that loading left the file alone.
    LoadOutcome loadBytes(const std::string& bytes) {
        test::writeBytes(path, bytes);
        const LoadOutcome result = test::load(db, path);
        EXPECT_EQ(test::readBytes(path), bytes) << "load changed the file";
        return result;
    }
    void expectRefusedAndEmpty(const std::string& bytes, const char* what) {
        EXPECT_EQ(loadBytes(bytes), LoadOutcome::Refused) << what;
        EXPECT_FALSE(db.isOpen()) << what;
        EXPECT_EQ(db.categoryCount(), 0u) << what;
        EXPECT_TRUE(db.menuIndex().empty()) << what;
        EXPECT_TRUE(db.remindIndex().empty()) << what;
        EXPECT_EQ(db.itemCount(), 0u) << what;
        EXPECT_FALSE(db.containsAddress(1, "http://a/")) << what;
    }

    test::TempDir dir;
    std::string path = dir.file("Default.lhd");
    test::FakeClock clock{{2026, 12, 6, 9, 30, 0, 0}};
    Database db{clock};
};

TEST_F(LhdFileTest, DefaultDatabaseIsWrittenExactly) {
    ASSERT_TRUE(test::createDefaultFile(db, path));
    const std::string bytes = test::readBytes(path);
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x01\x12\x00\x01\x00", 5));  // counter 18
    EXPECT_EQ(bytes.substr(9, 2), std::string(2, '\0'));
    const test::ParsedFile f = test::parseLhd(bytes);
    std::vector<std::string> order;
    for (const auto& c : f.categories) {
        order.push_back(c.name + "/" + std::to_string(c.relation) + "/" + std::to_string(c.anchor) +
                        "/" + std::to_string(c.id) + "/" + std::to_string(c.depth));
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"Linkhaven/1/0/0/0", "Webfavorite/0/0/1/1",
                                        "Recycle/1/1/2/1", "BBS/0/1/3/2", "Joke/1/3/4/2",
                                        "Download Site/1/4/5/2", "Technology/1/5/6/2",
                                        "Life/0/3/7/3", "Technology/1/7/8/3", "Joke/1/8/9/3"}));
    EXPECT_EQ(f.categories[0].flags, 0x01);
    EXPECT_EQ(f.categories[1].flags, 0x11);
    EXPECT_EQ(f.categories[2].folder, "C:\\Deleted");
    EXPECT_EQ(f.categories[8].folder, "C:\\Orchard");
    EXPECT_TRUE(f.items.empty());

    // A plain save writes 8 in the counter field; otherwise the same bytes.
    ASSERT_TRUE(test::save(db, path));
    const std::string saved = test::readBytes(path);
    EXPECT_EQ(saved.substr(0, 3), std::string("\x01\x08\x00", 3));
    EXPECT_EQ(saved.substr(3), bytes.substr(3));
    EXPECT_EQ(lhd::serialize(db, 8), saved);
}

TEST_F(LhdFileTest, SaveAndCloseWritesTheCounterAndEmpties) {
    db.createDefault();
    platform::IoError error;
    ASSERT_TRUE(db.saveAndClose(path, error));
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(static_cast<unsigned char>(test::readBytes(path)[1]), 18);
    EXPECT_FALSE(db.saveAndClose(path, error));  // nothing open: nothing written
    ASSERT_EQ(test::load(db, path), store::LoadOutcome::Loaded);
    EXPECT_EQ(db.nextCategoryId(), 10u);
    EXPECT_EQ(db.findCategory(1)->name(), "WebFavorite");
}

TEST_F(LhdFileTest, MinimalFileLoadsWithFixedNamesAndIds) {
    LhdBuilder b;
    b.category({1, "Whatever", "", 0, 0, 0, 0x31, ""})
        .category({0, "Mine", "", 0, 1, 1, 0x01, ""})
        .category({1, "Trash", "", 1, 2, 1, 0x40, ""});
    ASSERT_EQ(loadBytes(b.file()), LoadOutcome::Loaded);
    EXPECT_EQ(db.root()->name(), "Linkhaven");
    EXPECT_EQ(db.root()->flags(), 0x01);  // class cleared, expanded kept
    EXPECT_EQ(db.findCategory(1)->name(), "WebFavorite");
    EXPECT_EQ(db.findCategory(1)->flags(), 0x11);
    EXPECT_EQ(db.findCategory(2)->name(), "Recycle");
    EXPECT_EQ(db.findCategory(2)->flags(), 0x10);
    EXPECT_EQ(db.nextCategoryId(), 3u);
}

TEST_F(LhdFileTest, HeaderFieldsOutsideVersionAndCrcAreNotRead) {
    std::string bytes = LhdBuilder().fixedCategories().file(6, 1234);
    for (std::size_t i : {1u, 2u, 3u, 4u, 9u, 10u}) {
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] ^ 0x5A);
        EXPECT_EQ(loadBytes(changed), LoadOutcome::Loaded) << "header byte " << i;
    }
    expectRefusedAndEmpty(LhdBuilder().fixedCategories().file(7), "version 7");
}

TEST_F(LhdFileTest, EveryBodyByteIsChecked) {
    const std::string bytes =
        LhdBuilder().fixedCategories().item({"http://a/", "", "A", 3, 1, 1, "c", 0, {}, {}}).file();
    for (std::size_t i = 11; i < bytes.size(); ++i) {
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] ^ 0x01);
        EXPECT_EQ(loadBytes(changed), LoadOutcome::Refused) << "body byte " << i;
    }
}

TEST_F(LhdFileTest, DamagedFilesAreRefusedAndLeaveNothingBehind) {
    // A good database loaded first, so that a refusal visibly empties it.
    const std::string good =
        LhdBuilder().fixedCategories().item({"http://a/", "", "A", 1, 1, 1, "", 0, {}, {}}).file();
    std::string wrongCrc = good;
    wrongCrc[5] = static_cast<char>(wrongCrc[5] ^ 1);
    const auto withBody = [](const std::string& body) { return LhdBuilder().raw(body).file(); };
    const std::string base = LhdBuilder().fixedCategories().body();
    std::string hugeLength = base + std::string("\x01\xFF\xFF\xFF\xFF", 5);

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"wrong CRC", wrongCrc},
        {"unknown tag", withBody(base + "\x03")},
        {"item before any category", LhdBuilder()
                                         .item({"http://a/", "", "A", 1, 0, 1, "", 0, {}, {}})
                                         .fixedCategories()
                                         .file()},
        {"only the root", LhdBuilder().category({1, "r", "", 0, 0, 0, 0, ""}).file()},
        {"two categories", LhdBuilder()
                               .category({1, "r", "", 0, 0, 0, 0, ""})
                               .category({0, "w", "", 0, 1, 1, 0x10, ""})
                               .file()},
        {"text running past the end", withBody(base + std::string("\x01\x10\x00\x00\x00"
                                                                  "abc",
                                                                  8))},
        {"length 0xFFFFFFFF", withBody(hugeLength)},
        {"truncated", good.substr(0, good.size() - 3)},
        {"relation 2",
         withBody(base + LhdBuilder().category({2, "x", "", 1, 3, 2, 0x10, ""}).body())},
        {"second first child", withBody(base + LhdBuilder()
                                                   .category({0, "x", "", 1, 3, 2, 0x10, ""})
                                                   .category({0, "y", "", 1, 4, 2, 0x10, ""})
                                                   .body())},
        {"second next sibling",
         withBody(base + LhdBuilder().category({1, "x", "", 1, 3, 1, 0x10, ""}).body())},
        {"sibling of the root",
         withBody(base + LhdBuilder().category({1, "x", "", 0, 3, 0, 0x10, ""}).body())},
    };
    for (const auto& [what, bytes] : cases) {
        ASSERT_EQ(loadBytes(good), LoadOutcome::Loaded);
        expectRefusedAndEmpty(bytes, what.c_str());
    }
    for (std::size_t n = 1; n <= 10; ++n) {
        expectRefusedAndEmpty(good.substr(0, n), "short file");
    }
    // A truncated copy cut at every length is refused and never crashes.
    for (std::size_t n = 11; n < good.size(); ++n) {
        EXPECT_EQ(loadBytes(good.substr(0, n)), LoadOutcome::Refused) << n;
    }
}

TEST_F(LhdFileTest, MissingEmptyUnreadableAndReadOnlyFiles) {
    test::writeBytes(dir.file("file"), "x");
    platform::IoError error;
    EXPECT_EQ(db.load(dir.file("missing.lhd"), error), LoadOutcome::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.lhd")));  // never created
    EXPECT_EQ(error.systemError, ENOENT);
    EXPECT_EQ(db.load(dir.file("file") + "/below.lhd", error), LoadOutcome::Missing);
    test::writeBytes(path, "");
    EXPECT_EQ(test::load(db, path), LoadOutcome::Empty);
    EXPECT_EQ(test::load(db, dir.path()), LoadOutcome::Unreadable);  // a folder
    test::writeBytes(path, std::string(40, 'j'));
    EXPECT_EQ(db.load(path, error), LoadOutcome::Refused);
    EXPECT_NE(error.message().find(path), std::string::npos);
    ASSERT_TRUE(test::createDefaultFile(db, path));
    ::chmod(path.c_str(), 0444);
    Database other;
    EXPECT_EQ(test::load(other, path), store::LoadOutcome::Loaded);
}

TEST_F(LhdFileTest, RoundTripKeepsEveryFieldAndRenumbers) {
    db.createDefault();
    ItemFields item = test::link("Title é", "http://a/");
    item.location = "/home/x";
    item.comment = "Comment\nline";
    item.rate = 5;
    item.fileSize = 0x123456789ULL;
    item.createTime = {2026, 12, 6, 9, 30, 15, 0};
    item.remindTime = {27, 1, 2, 3, 4, 0, 0};
    db.addItem(8, item);
    db.addItem(8, test::link("second", ""));
    db.renameCategory(1, "WebFavorite");  // the name every load gives it
    ASSERT_TRUE(test::save(db, path));
    Database back{clock};
    ASSERT_EQ(test::load(back, path), store::LoadOutcome::Loaded);
    const CategoryRecord& tech = *back.findCategory(8);
    ASSERT_NE(tech.firstItem(), nullptr);
    const ItemRecord& a = *tech.firstItem();
    EXPECT_EQ(a.address(), "http://a/");
    EXPECT_EQ(a.location(), "/home/x");
    EXPECT_EQ(a.title(), "Title é");
    EXPECT_EQ(a.comment(), "Comment\nline");
    EXPECT_EQ(a.rate(), 5);
    EXPECT_EQ(a.flags(), 1u);
    EXPECT_EQ(a.fileSize(), 0x123456789ULL);
    EXPECT_EQ(a.createTime(), (DateTimeStamp{2026, 12, 6, 9, 30, 15, 0}));
    EXPECT_EQ(a.remindTime(), (DateTimeStamp{27, 1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(a.categoryId(), 8);
    EXPECT_EQ(a.next()->title(), "second");
    EXPECT_EQ(a.next()->position(), 1u);
    EXPECT_TRUE(lhd::serialize(back, 8) == test::readBytes(path));
}

TEST_F(LhdFileTest, IndependentlyWrittenFileLoadsWithIdsMenuAndReminders) {
    // Writer ids are 0, 10, 20, ... and the categories come in an order the program would not
    // write (children before later siblings); runtime ids follow the file order.
    LhdBuilder b;
    b.category({1, "root", "", 0, 0, 0, 0x00, ""})
        .category({0, "fav", "", 0, 10, 1, 0x10, ""})
        .item({"http://one/", "", "one", 2, 10, 1, "", 0, {}, {}})
        .category({1, "bin", "", 10, 20, 1, 0x10, ""})
        .item({"", "", "binned reminder", 1, 20, 6 | 0x20, "", 0, {}, {0, 0, 0, 6, 0}})
        .category({0, "reminders", "", 10, 30, 2, 0x60, "memo"})  // takes its anchor's 0x10
        .item({"", "bell.wav", "past once", 1, 30, 6, "", 0, {}, {25, 1, 1, 8, 0}})
        .item({"", "bell.wav", "future once", 1, 30, 6, "", 0, {}, {27, 1, 1, 8, 0}})
        .item({"", "", "yearly", 1, 30, 6 | 0x10, "", 0, {}, {20, 12, 24, 18, 0}})
        .item({"", "", "bad month", 1, 30, 6 | 0x10, "", 0, {}, {20, 13, 24, 18, 0}})
        .category({1, "after reminders", "", 30, 40, 3, 0x00, ""})
        .item({"", "", "weekdays", 1, 40, 6 | 0x20 | 0x40, "", 0, {}, {0, 0, 0, 7, 30}})
        .category({1, "links", "", 20, 50, 1, 0x00, ""})  // inherits 0x10 from "bin"
        .item({"http://two/", "", "two", 1, 50, 1, "", 0, {}, {}})
        .item({"", "/tmp", "file", 1, 50, 4, "", 0, {}, {}})
        .item({"", "", "remind in a link category", 1, 50, 6 | 0x20, "", 0, {}, {0, 0, 0, 9, 5}})
        .category({0, "orphan", "", 99, 60, 1, 0x10, ""})  // anchor unknown: skipped
        .item({"http://orphan/", "", "orphan item", 1, 60, 1, "", 0, {}, {}})
        .category({0, "orphan child", "", 60, 70, 2, 0x10, ""})  // its subtree too
        .item({"http://orphan2/", "", "orphan item 2", 1, 70, 1, "", 0, {}, {}});
    ASSERT_EQ(loadBytes(b.file()), LoadOutcome::Loaded);

    std::vector<std::string> tree;
    walkSearchOrder(db.root(), [&](const CategoryRecord& c) {
        tree.push_back(std::to_string(c.id()) + " " + c.name() + " " + std::to_string(c.flags()) +
                       " d" + std::to_string(c.depth()));
        return false;
    });
    EXPECT_EQ(tree, (std::vector<std::string>{"0 Linkhaven 0 d0", "1 WebFavorite 16 d1",
                                              "3 reminders 16 d2", "4 after reminders 16 d2",
                                              "2 Recycle 16 d1", "5 links 16 d1"}));
    EXPECT_EQ(db.nextCategoryId(), 6u);
    EXPECT_EQ(db.itemCount(), 10u);
    EXPECT_FALSE(db.containsAddress(1, "http://orphan/"));

    // Menu: links of URL categories in load order; no File or Remind items.
    ASSERT_EQ(db.menuIndex().size(), 2u);
    EXPECT_EQ(db.findMenuItem(0)->title(), "one");
    EXPECT_EQ(db.findMenuItem(1)->title(), "two");
    EXPECT_EQ(db.findMenuItem(1)->categoryId(), 5);

    // Reminders are found by their kind in URL categories; the past one-time one, the impossible
    // date and the one in the Recycle stay out.
    std::vector<std::string> reminders;
    for (const auto& [key, list] : db.remindIndex()) {
        for (const ItemRecord* item : list) {
            reminders.push_back(std::to_string(key) + " " + std::string(item->title()));
        }
    }
    EXPECT_EQ(reminders, (std::vector<std::string>{"730 weekdays", "905 remind in a link category",
                                                   "12241800 yearly", "2701010800 future once"}));
}

TEST_F(LhdFileTest, ClassIsInheritedOnlyFromTheFourthCategoryOnAndDuplicateIdsKeepTheFirst) {
    LhdBuilder b;
    b.fixedCategories()
        .category({0, "files", "", 2, 3, 2, 0x40, ""})        // below Recycle: inherits 0x10
        .category({1, "again 3", "", 3, 3, 2, 0x60, ""})      // same writer id as "files"
        .category({0, "child of 3", "", 3, 5, 3, 0x00, ""});  // anchors to the first id 3
    ASSERT_EQ(loadBytes(b.file()), LoadOutcome::Loaded);
    EXPECT_EQ(db.findCategory(3)->flags(), 0x10);
    EXPECT_EQ(db.findCategory(4)->name(), "again 3");
    EXPECT_EQ(db.findCategory(4)->backLink(), db.findCategory(3));
    EXPECT_EQ(db.findCategory(5)->parent(), db.findCategory(3));
}

TEST_F(LhdFileTest, HugeTreesLoadAndSaveWithoutRecursion) {
    db.createDefault();
    CategoryId parent = 3;
    for (int i = 0; i < 10000; ++i) {  // 10,000 levels deep
        parent = db.addCategory(parent, {"deep", {}, {}, {}})->id();
    }
    for (int i = 0; i < 55000; ++i) {  // 55,000 siblings
        db.addCategory(4, {"wide", {}, {}, {}});
    }
    db.renameCategory(1, "WebFavorite");
    ASSERT_TRUE(test::save(db, path));
    Database back;
    ASSERT_EQ(test::load(back, path), store::LoadOutcome::Loaded);
    EXPECT_EQ(back.categoryCount(), 10u + 10000 + 55000);
    // Same records in the same order; only the ids differ (a load renumbers in file order).
    const auto shape = [](const std::string& bytes) {
        std::vector<std::string> out;
        for (const auto& c : test::parseLhd(bytes).categories) {
            out.push_back(c.name + std::to_string(c.relation) + "/" + std::to_string(c.depth));
        }
        return out;
    };
    EXPECT_TRUE(shape(lhd::serialize(back, 8)) == shape(test::readBytes(path)));
    int deepest = 0;
    walkSearchOrder(back.root(), [&](const CategoryRecord& c) {
        deepest = std::max<int>(deepest, c.depth());
        return false;
    });
    EXPECT_EQ(deepest, 10002);
    back.removeCategory(1, false);
    back.removeCategory(2, false);
    EXPECT_EQ(back.categoryCount(), 1u);
}

TEST_F(LhdFileTest, MoreCategoriesThanIdsAreRefused) {
    LhdBuilder b;
    b.fixedCategories();
    for (int i = 3; i < 65536; ++i) {
        b.category({1, "", "", static_cast<std::uint16_t>(i == 3 ? 2 : i - 1),
                    static_cast<std::uint16_t>(i), 1, 0x10, ""});
    }
    ASSERT_EQ(loadBytes(b.file()), LoadOutcome::Refused);  // 65,536 categories
    LhdBuilder fits;
    fits.fixedCategories();
    for (int i = 3; i < 65535; ++i) {
        fits.category({1, "", "", static_cast<std::uint16_t>(i == 3 ? 2 : i - 1),
                       static_cast<std::uint16_t>(i), 1, 0x10, ""});
    }
    ASSERT_EQ(loadBytes(fits.file()), LoadOutcome::Loaded);
    EXPECT_EQ(db.nextCategoryId(), 65535u);
    EXPECT_EQ(db.addCategory(kRootId, {}), nullptr);
}

}  // namespace
}  // namespace lh::store

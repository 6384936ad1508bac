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

    test::TempDir dir;
    std::string path = dir.file("Default.lhd");
    test::FakeClock clock;
    Database db{clock};
};

// The default database as its table gives it (the favourites category named `favourites`),
// with `items` after the second "Technology".
LhdBuilder defaultFile(const char* favourites, const std::vector<test::ItemSpec>& items = {}) {
    LhdBuilder b;
    b.category({1, "Linkhaven", "", 0, 0, 0, 0x01, ""})
        .category({0, favourites, "", 0, 1, 1, 0x11, ""})
        .category({1, "Recycle", "C:\\Deleted", 1, 2, 1, 0x10, ""})
        .category({0, "BBS", "C:\\Linkhaven", 1, 3, 2, 0x10, ""})
        .category({1, "Joke", "C:\\Linkhaven", 3, 4, 2, 0x10, ""})
        .category({1, "Download Site", "C:\\Linkhaven", 4, 5, 2, 0x10, ""})
        .category({1, "Technology", "C:\\Linkhaven", 5, 6, 2, 0x10, ""})
        .category({0, "Life", "C:\\Linkhaven", 3, 7, 3, 0x10, ""})
        .category({1, "Technology", "C:\\Orchard", 7, 8, 3, 0x10, ""});
    for (const test::ItemSpec& item : items) {
        b.item(item);
    }
    return b.category({1, "Joke", "C:\\Linkhaven", 8, 9, 3, 0x10, ""});
}

TEST_F(LhdFileTest, DefaultDatabaseAndEveryItemFieldAreWrittenExactly) {
    ASSERT_TRUE(test::createDefaultFile(db, path));  // with the category counter (18)
    EXPECT_EQ(test::readBytes(path), defaultFile("Webfavorite").file(1, 18));
    db.renameCategory(1, "WebFavorite");  // the name every load gives it
    const DateTimeStamp created{2026, 12, 6, 9, 30, 15, 0}, remind{27, 1, 2, 3, 4, 0, 0};
    db.addItem(8, {"http://a/", "/home/x", "Title é", "Comment\nline", 5, 0, 0x123456789ULL,
                   created, remind});
    db.addItem(8, test::link("second", ""));
    const test::ItemSpec full{"http://a/", "/home/x",       "Title é",      5,       8,
                              1,           "Comment\nline", 0x123456789ULL, created, remind};
    const LhdBuilder expected =
        defaultFile("WebFavorite", {full, {"", "", "second", 1, 8, 1, "", 0, {}, {}}});
    ASSERT_TRUE(test::save(db, path));  // with 8 for the counter
    EXPECT_EQ(test::readBytes(path), expected.file());
    // Loaded, each field is where the writer finds it again.
    Database back{clock};
    ASSERT_EQ(test::load(back, path), LoadOutcome::Loaded);
    EXPECT_EQ(lhd::serialize(back, 8), expected.file());
    // saveAndClose writes the counter (10 after a load) and empties the database.
    platform::IoError error;
    ASSERT_TRUE(back.saveAndClose(path, error));
    EXPECT_EQ(test::readBytes(path), expected.file(1, 10));
    EXPECT_FALSE(back.isOpen());
    test::writeBytes(path, "x");
    EXPECT_FALSE(back.saveAndClose(path, error));  // nothing open: nothing written
    EXPECT_EQ(test::readBytes(path), "x");
}

TEST_F(LhdFileTest, DamagedFilesAreRefusedAndLeaveNothingBehind) {
    // A good database loaded first, so that a refusal visibly empties it.
    const std::string good =
        LhdBuilder().fixedCategories().item({"http://a/", "", "A", 3, 1, 1, "c", 0, {}, {}}).file();
    const auto fixed = [] { return LhdBuilder().fixedCategories(); };
    const test::ItemSpec orphan{"http://a/", "", "A", 1, 0, 1, "", 0, {}, {}};
    const test::CategorySpec root{1, "r", "", 0, 0, 0, 0, ""}, child{0, "x", "", 1, 3, 2, 0x10, ""};
    const std::pair<const char*, std::string> cases[] = {
        {"version 7", fixed().file(7)},
        {"unknown tag", fixed().raw("\x03").file()},
        {"item before any category", LhdBuilder().item(orphan).fixedCategories().file()},
        {"only the root", LhdBuilder().category(root).file()},
        {"two categories",
         LhdBuilder().category(root).category({0, "w", "", 0, 1, 1, 0x10, ""}).file()},
        {"text running past the end", fixed().raw(std::string("\x01\x10\0\0\0", 5) + "abc").file()},
        {"length 0xFFFFFFFF", fixed().raw(std::string("\x01\xFF\xFF\xFF\xFF", 5)).file()},
        {"relation 2", fixed().category({2, "x", "", 1, 3, 2, 0x10, ""}).file()},
        {"second first child",
         fixed().category(child).category({0, "y", "", 1, 4, 2, 0x10, ""}).file()},
        {"second next sibling", fixed().category({1, "x", "", 1, 3, 1, 0x10, ""}).file()},
        {"sibling of the root", fixed().category({1, "x", "", 0, 3, 0, 0x10, ""}).file()},
    };
    for (const auto& [what, bytes] : cases) {
        ASSERT_EQ(loadBytes(good), LoadOutcome::Loaded);
        EXPECT_EQ(loadBytes(bytes), LoadOutcome::Refused) << what;
        EXPECT_FALSE(db.isOpen()) << what;
        EXPECT_EQ(db.categoryCount() + db.itemCount() + db.menuIndex().size(), 0u) << what;
    }
    // A copy cut at any length is refused and never crashes. Of the header only the version (up
    // to 6) and the CRC are read; every byte of the body counts.
    for (std::size_t i = 0; i < good.size(); ++i) {
        if (i > 0) {
            EXPECT_EQ(loadBytes(good.substr(0, i)), LoadOutcome::Refused) << "cut at " << i;
        }
        std::string changed = good;
        changed[i] = static_cast<char>(changed[i] ^ (i == 0 ? 0x07 : 0x5A));  // version 6
        const bool read = i >= 5 && (i < 9 || i > 10);
        EXPECT_EQ(loadBytes(changed), read ? LoadOutcome::Refused : LoadOutcome::Loaded) << i;
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
    EXPECT_EQ(test::load(other, path), LoadOutcome::Loaded);
}

TEST_F(LhdFileTest, IndependentlyWrittenFileLoadsWithIdsMenuAndReminders) {
    // Writer ids are 0, 10, 20, ... and the categories come in an order the program would not
    // write (children before later siblings); runtime ids follow the file order. The first three
    // take their fixed names and class whatever the file says; the others their anchor's class.
    LhdBuilder b;
    b.category({1, "root", "", 0, 0, 0, 0x31, ""})
        .category({0, "fav", "", 0, 10, 1, 0x01, ""})
        .item({"http://one/", "", "one", 2, 10, 1, "", 0, {}, {}})
        .category({1, "bin", "", 10, 20, 1, 0x40, ""})
        .item({"", "", "binned reminder", 1, 20, 6 | 0x20, "", 0, {}, {0, 0, 0, 6, 0}})
        .category({0, "reminders", "", 10, 30, 2, 0x60, "memo"})
        .item({"", "bell.wav", "past once", 1, 30, 6, "", 0, {}, {25, 1, 1, 8, 0}})
        .item({"", "bell.wav", "future once", 1, 30, 6, "", 0, {}, {27, 1, 1, 8, 0}})
        .item({"", "", "yearly", 1, 30, 6 | 0x10, "", 0, {}, {20, 12, 24, 18, 0}})
        .item({"", "", "bad month", 1, 30, 6 | 0x10, "", 0, {}, {20, 13, 24, 18, 0}})
        .category({1, "after reminders", "", 30, 40, 3, 0x00, ""})
        .item({"", "", "weekdays", 1, 40, 6 | 0x20 | 0x40, "", 0, {}, {0, 0, 0, 7, 30}})
        .category({1, "again 30", "", 40, 30, 2, 0x00, ""})  // the first of an id keeps it
        .category({0, "below 30", "", 30, 45, 3, 0x00, ""})
        .category({1, "links", "", 20, 50, 1, 0x00, ""})
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
    EXPECT_EQ(tree, (std::vector<std::string>{"0 Linkhaven 1 d0", "1 WebFavorite 17 d1",
                                              "3 reminders 16 d2", "6 below 30 16 d3",
                                              "4 after reminders 16 d2", "5 again 30 16 d2",
                                              "2 Recycle 16 d1", "7 links 16 d1"}));
    EXPECT_EQ(db.nextCategoryId(), 8u);
    EXPECT_EQ(db.itemCount(), 10u);  // the orphans' items left out

    // Menu: links of URL categories in load order; no File or Remind items.
    ASSERT_EQ(db.menuIndex().size(), 2u);
    EXPECT_EQ(db.findMenuItem(0)->title(), "one");
    EXPECT_EQ(db.findMenuItem(1)->title(), "two");
    EXPECT_EQ(db.findMenuItem(1)->categoryId(), 7);

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

// 55,000 siblings, below the last of them a chain 10,532 deep: 65,535 categories, all the ids
// there are. They load, and save to the same bytes, without recursion; one more is refused.
TEST_F(LhdFileTest, HugeTreesLoadAndSaveWithoutRecursionUpToTheLastId) {
    constexpr int kLastSibling = 3 + 55000 - 1;
    LhdBuilder b;
    b.fixedCategories();
    for (int id = 3; id < 65535; ++id) {
        const bool deep = id > kLastSibling;
        b.category({static_cast<std::uint8_t>(id == 3 || deep ? 0 : 1), "", "",
                    static_cast<std::uint16_t>(id == 3 ? 1 : id - 1),
                    static_cast<std::uint16_t>(id),
                    static_cast<std::uint16_t>(deep ? id - kLastSibling + 2 : 2), 0x10, ""});
    }
    const std::string bytes = b.file();
    ASSERT_EQ(loadBytes(bytes), LoadOutcome::Loaded);
    EXPECT_TRUE(lhd::serialize(db, 8) == bytes);
    EXPECT_EQ(db.nextCategoryId(), 65535u);
    EXPECT_EQ(db.addCategory(kRootId, {}), nullptr);
    db.removeCategory(1, false);
    EXPECT_EQ(db.categoryCount(), 2u);
    b.category({0, "", "", 65534, 65535, 10535, 0x10, ""});
    EXPECT_EQ(loadBytes(b.file()), LoadOutcome::Refused);
}

// Records what a save tells; from its second report on, it tries a save of its own.
struct RecordingProgress : SaveProgress {
    Database* db = nullptr;
    std::string nestedPath;
    std::vector<std::string> heard;
    platform::IoError nestedError;

    void saveBegun(std::size_t records) override {
        heard.push_back("begun " + std::to_string(records));
    }
    void saveProgressed(std::size_t written) override {
        heard.push_back(std::to_string(written));
        if (heard.size() == 3 && !db->save(nestedPath, nestedError)) {
            heard.push_back("nested save refused");
        }
    }
    void saveEnded() override { heard.push_back("ended"); }
};

// A save tells its progress every 4,096 records and writes the same bytes; a save started while
// one runs fails without touching its file.
TEST_F(LhdFileTest, SavesTellTheirProgressAndDoNotNest) {
    db.createDefault();
    for (int i = 0; i < 9000; ++i) {
        db.addItem(4 + i % 3, {"http://site/" + std::to_string(i), "", "T", "", 3, 1, 0, {}, {}});
    }
    RecordingProgress progress;
    progress.db = &db;
    progress.nestedPath = dir.file("nested.lhd");
    db.setSaveProgress(&progress);
    ASSERT_TRUE(test::save(db, path));
    EXPECT_EQ(test::readBytes(path), lhd::serialize(db, 8));
    EXPECT_EQ(progress.heard, (std::vector<std::string>{"begun 9010", "4096", "8192",
                                                        "nested save refused", "ended"}));
    EXPECT_EQ(progress.nestedError.userMessage(),
              "'" + progress.nestedPath + "': another save is under way");
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"Default.lhd"}));
    db.setSaveProgress(nullptr);
    ASSERT_TRUE(test::save(db, progress.nestedPath));  // the next save goes ahead
}

}  // namespace
}  // namespace lh::store

#include "commands/DroppedInput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace lh::commands {
namespace {

using Names = std::vector<std::string>;

TEST(DroppedInputTest, KeepsOnlyReadableRegularFilesFollowingLinks) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    const std::string file = dir.file("a.txt");
    const std::string locked = dir.file("locked.txt");
    test::writeBytes(file, "a");
    test::writeBytes(locked, "b");
    ::chmod(locked.c_str(), 0);
    fs::create_directory(dir.file("folder"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);  // opening it must not block
    fs::create_symlink(file, dir.file("to-file"));
    fs::create_symlink(dir.file("folder"), dir.file("to-folder"));
    fs::create_symlink(dir.file("gone"), dir.file("dangling"));
    const std::string longName = dir.path() + "/" + std::string(kLongestDroppedName, 'x');

    const DroppedFiles files =
        keepDroppedFiles({dir.file("folder"), file, dir.file("fifo"), locked, dir.file("to-folder"),
                          dir.file("dangling"), longName, dir.file("to-file"), "/dev/null"});
    // Whoever may read anything (root) reads the locked file too.
    const bool lockedReadable = ::access(locked.c_str(), R_OK) == 0;
    Names expected{file};
    if (lockedReadable) {
        expected.push_back(locked);
    }
    expected.push_back(dir.file("to-file"));  // the link as dropped, past the overlong name
    EXPECT_EQ(files.kept, expected);
    EXPECT_EQ(files.skipped, lockedReadable ? 6u : 7u);
    EXPECT_EQ(files.status(), "");

    // A name over the limit is skipped without asking the file system; the rest are read.
    const auto anything = [](const std::string&) { return true; };
    const std::string atLimit(kLongestDroppedName, 'y');
    const DroppedFiles checked =
        keepDroppedFiles({atLimit + "y", atLimit, "", std::string("a\0b", 3), "z"}, anything);
    EXPECT_EQ(checked.kept, (Names{atLimit, "z"}));

    const DroppedFiles none = keepDroppedFiles({dir.file("folder"), dir.file("fifo")});
    EXPECT_TRUE(none.kept.empty());
    EXPECT_EQ(none.status(),
              "Nothing added: only readable files can be added, not folders or "
              "special files (2 names skipped).");
}

TEST(DroppedInputTest, AnAddressIsTheFirstLineWithText) {
    EXPECT_EQ(droppedAddress(" \r\n\t\n  http://example.org/a b \r\nsecond"),
              "http://example.org/a b");
    EXPECT_EQ(droppedAddress(" \n\r\n\t"), std::nullopt);
    EXPECT_EQ(droppedAddress(std::string("http://a\n\0", 10)), std::nullopt);
    // Cut to 2000 bytes, never inside a character, and trimmed again.
    const std::string a1998(1998, 'a');
    EXPECT_EQ(droppedAddress(a1998 + "a\xC3\xA9"), a1998 + "a");
    EXPECT_EQ(droppedAddress(a1998 + "\xC3\xA9"
                                     "b"),
              a1998 + "\xC3\xA9");
    EXPECT_EQ(droppedAddress(a1998 + "a b"), a1998 + "a");
}

TEST(DroppedInputTest, DroppedFilesNeverOpenOnRecycle) {
    store::Database db;
    db.createDefault();
    const store::CategoryId inRecycle =
        db.addCategory(store::kRecycleId, {"old", "", "", std::nullopt})->id();
    EXPECT_EQ(droppedFilesCategory(db, 5), 5);
    EXPECT_EQ(droppedFilesCategory(db, store::kRootId), store::kRootId);
    EXPECT_EQ(droppedFilesCategory(db, std::nullopt), store::kFavoritesId);
    EXPECT_EQ(droppedFilesCategory(db, store::kRecycleId), store::kFavoritesId);
    EXPECT_EQ(droppedFilesCategory(db, inRecycle), store::kFavoritesId);
    EXPECT_EQ(droppedFilesCategory(db, 99), store::kFavoritesId);
}

}  // namespace
}  // namespace lh::commands

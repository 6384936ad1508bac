#include "items/FilePaths.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace lh::items {
namespace {

TEST(FilePathsTest, CleansNamesAndChecksWindowsPaths) {
    EXPECT_EQ(cleanFileName("a/b:c*d\"e<f>g|h\\i.txt"), "a_b_c_d_e_f_g_h_i.txt");
    EXPECT_EQ(cleanFileName("caf\xC3\xA9 ok.txt"), "caf\xC3\xA9 ok.txt");

    EXPECT_TRUE(isValidWindowsPath("C:\\Docs\\x"));
    EXPECT_TRUE(isValidWindowsPath("d:\\"));  // a lower-case drive letter
    EXPECT_FALSE(isValidWindowsPath("C:\\\\Docs"));
    EXPECT_FALSE(isValidWindowsPath("C:\\Do<cs"));
    EXPECT_FALSE(isValidWindowsPath("C:\\a:b"));
    EXPECT_FALSE(isValidWindowsPath("CD:\\a"));
    EXPECT_FALSE(isValidWindowsPath("\\\\server\\share"));

    EXPECT_EQ(cleanWindowsPath("C:\\a\\\\\\b|c:d"), "C:\\a\\__b_c_d");
    EXPECT_EQ(cleanWindowsPath("/home/x"), "C:\\Linkhaven");

    EXPECT_EQ(joinWindowsPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(joinWindowsPath("C:\\Docs  ", "x"), "C:\\Docs\\x");
    EXPECT_EQ(splitAtLastSeparator("C:\\a.txt", '\\').folder, "C:\\");
}

TEST(FilePathsTest, FollowsTheLinuxPathRules) {
    EXPECT_TRUE(isValidFolder("/"));
    EXPECT_TRUE(isValidFolder("/home/a b/"));
    EXPECT_FALSE(isValidFolder("home/a"));
    EXPECT_FALSE(isValidFolder("/home//a"));
    EXPECT_FALSE(isValidFolder(std::string_view("/ho\0me", 6)));
    EXPECT_FALSE(isValidFolder("C:\\Docs"));
    EXPECT_EQ(cleanFolder("/home/a/"), "/home/a");
    EXPECT_EQ(cleanFolder("/"), "/");

    EXPECT_EQ(joinFolderAndName("/a", "x"), "/a/x");
    EXPECT_EQ(joinFolderAndName("/", "x"), "/x");

    const SplitPath split = splitPath("/home/a.b/c d.txt");
    EXPECT_EQ(split.folder, "/home/a.b");
    EXPECT_EQ(split.name, "c d.txt");
    EXPECT_EQ(splitPath("/x").folder, "/");

    EXPECT_TRUE(isPlainFileName("a.txt"));
    EXPECT_FALSE(isPlainFileName(".."));
    EXPECT_FALSE(isPlainFileName("../x"));
    EXPECT_FALSE(isPlainFileName(""));
    EXPECT_TRUE(sameFileText("a.txt", "a.txt"));
    EXPECT_FALSE(sameFileText("a.txt", "A.txt"));
}

TEST(FilePathsTest, OpensOnlyReadableRegularFilesAndNeverWaitsOnAPipe) {
    test::TempDir dir;
    test::writeBytes(dir.file("data"), "12345");
    ::chmod(dir.file("data").c_str(), 0444);  // read-only: reading is all that is asked
    EXPECT_EQ(openableFileSize(dir.file("data")), 5u);
    EXPECT_EQ(entryAt(dir.file("data")), PathEntry::RegularFile);

    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(openableFileSize(dir.file("pipe")));
    EXPECT_EQ(entryAt(dir.file("pipe")), PathEntry::Other);
    EXPECT_FALSE(openableFileSize(dir.path()));
    EXPECT_FALSE(openableFileSize(dir.file("missing")));
    EXPECT_EQ(entryAt(dir.file("missing")), PathEntry::None);
    EXPECT_EQ(entryAt(dir.file("data/below")), PathEntry::None);
}

}  // namespace
}  // namespace lh::items

#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using Outcome = test::CliOutcome;
using test::runCli;

TEST(CliTest, NewWritesTheDefaultDatabaseOnlyWhenAskedAndTreeAndResaveReadIt) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    Outcome r = runCli({"new", path});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"created\":\"" + path + "\",\"categories\":10}\n");
    // The tree depth first, indented by depth (the default tree itself is LhdFileTest's).
    const std::string tree = runCli({"tree", path}).out;
    EXPECT_TRUE(tree.starts_with(
        "Linkhaven  [id 0, 0 items]\n  WebFavorite  [id 1, 0 items]\n    BBS  [id 3, 0 items]\n"))
        << tree;
    EXPECT_TRUE(tree.ends_with("    Technology  [id 6, 0 items]\n  Recycle  [id 2, 0 items]\n"))
        << tree;
    r = runCli({"resave", path, dir.file("b.lhd")});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"saved\":\"" + dir.file("b.lhd") + "\",\"items\":0}\n");
    // Written anew from the loaded database (its counter renumbered), not copied.
    EXPECT_EQ(test::readBytes(dir.file("b.lhd"))[1], 8);

    const std::string first = test::readBytes(path);
    test::writeBytes(path, "mine");
    r = runCli({"new", path});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_EQ(r.out, "{\"error\":\"" + path + " exists; use --force to replace it\",\"path\":\"" +
                         path + "\"}\n");
    EXPECT_EQ(r.err, "linkhaven-cli: " + path + " exists; use --force to replace it\n");
    EXPECT_EQ(test::readBytes(path), "mine");
    EXPECT_EQ(runCli({"new", "--force", path}).code, kExitOk);
    EXPECT_EQ(test::readBytes(path), first);
    // A dangling symbolic link is refused too: writing through it would create its target.
    std::filesystem::create_symlink(dir.file("elsewhere.lhd"), dir.file("link.lhd"));
    EXPECT_EQ(runCli({"new", dir.file("link.lhd")}).code, kExitFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("elsewhere.lhd")));
}

TEST(CliTest, InfoCountsWithoutChangingTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    store::Database db;
    db.createDefault();
    db.addItem(3, test::link("a", "http://a/"));
    db.addItem(4, test::link("b", "http://b/"));
    db.addItem(5, test::link("file", "", store::kKindFile));
    store::ItemFields remind = test::link("remind", "", store::kKindRemind);
    remind.remindTime = {27, 5, 1, 8, 0, 0, 0};
    db.addItem(5, remind);
    ASSERT_TRUE(test::save(db, path));
    const std::string bytes = test::readBytes(path);
    const Outcome r = runCli({"info", path});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out,
              "{\"result\":1,\"categories\":10,\"items\":4,\"url_items\":2,\"file_items\":1,"
              "\"remind_items\":1,\"menu_items\":2,\"reminders_indexed\":1,"
              "\"next_category_id\":10}\n");
    EXPECT_EQ(test::readBytes(path), bytes);
}

// Every failure prints {"error":...,"path":...} alone on out, in words a user understands, the
// same on err, and exits with its code.
TEST(CliTest, BadFilesAndBadUsageHaveTheirOwnExitCodesAndPlainMessages) {
    test::TempDir dir;
    const std::string missing = dir.file("missing.lhd"), empty = dir.file("empty.lhd");
    const std::string junk = dir.file("junk.lhd");
    test::writeBytes(empty, "");
    test::writeBytes(junk, "this is not a database at all");
    store::Database good;
    good.createDefault();
    ASSERT_TRUE(test::save(good, dir.file("good.lhd")));
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{"info", missing}, kExitUnreadable, "'" + missing + "' does not exist", missing},
        {{"info", empty}, kExitUnreadable, "'" + empty + "' is empty", empty},
        {{"find", dir.path(), "x"},
         kExitUnreadable,
         "'" + dir.path() + "' is a folder, not a file",
         dir.path()},
        {{"tree", junk},
         kExitRefused,
         "'" + junk +
             "' is not a Linkhaven database or is damaged: the file was written by a "
             "newer version",
         junk},
        {{"resave", junk, dir.file("out.lhd")}, kExitRefused, "", junk},
        {{"resave", dir.file("good.lhd"), dir.path()},
         kExitFailed,
         "'" + dir.path() + "' could not be saved: ",
         dir.path()},
        {{"due", empty, "--at", "2026-02-30 10:00"},
         kExitFailed,
         "--at must be a real minute as \\\"YYYY-MM-DD HH:MM\\\": 2026-02-30 10:00",
         empty},
        {{}, kExitFailed, "no command given", ""},
        {{"frobnicate"}, kExitFailed, "unknown command 'frobnicate'", ""},
        {{"info"}, kExitFailed, "info takes one FILE", ""},
    };
    for (const auto& [args, code, message, path] : cases) {
        const Outcome r = runCli(args);
        const std::string line = r.out;
        EXPECT_EQ(r.code, code) << line;
        EXPECT_TRUE(line.starts_with("{\"error\":\"" + message)) << line;
        EXPECT_TRUE(line.ends_with("\",\"path\":\"" + path + "\"}\n")) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
        EXPECT_EQ(r.err.rfind("linkhaven-cli: ", 0), 0u) << r.err;
        // No step of the program's own ("map", "open", "read size of") reaches the user.
        EXPECT_EQ(line.find("map '"), std::string::npos) << line;
        EXPECT_EQ(line.find("open '"), std::string::npos) << line;
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.lhd")));

    const Outcome help = runCli({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("resave IN OUT"), std::string::npos);
}

}  // namespace
}  // namespace lh::cli

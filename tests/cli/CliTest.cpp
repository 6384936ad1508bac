#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST(CliTest, BadFilesAndBadUsageHaveTheirOwnExitCodes) {
    test::TempDir dir;
    EXPECT_EQ(runCli({"info", dir.file("missing.lhd")}).code, kExitUnreadable);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.lhd")));
    test::writeBytes(dir.file("empty.lhd"), "");
    EXPECT_EQ(runCli({"info", dir.file("empty.lhd")}).code, kExitUnreadable);
    test::writeBytes(dir.file("junk.lhd"), "this is not a database at all");
    const Outcome r = runCli({"tree", dir.file("junk.lhd")});
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("not a Linkhaven database"), std::string::npos);
    EXPECT_EQ(runCli({"resave", dir.file("junk.lhd"), dir.file("out.lhd")}).code, kExitRefused);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.lhd")));

    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"info"}}) {
        EXPECT_EQ(runCli(args).code, kExitFailed) << args.size();
    }
    const Outcome help = runCli({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("resave IN OUT"), std::string::npos);
    EXPECT_EQ(runCli({"--version"}).out.rfind("linkhaven-cli ", 0), 0u);
}

}  // namespace
}  // namespace lh::cli

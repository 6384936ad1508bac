#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using test::runCli;

TEST(FindCommandsTest, PrintsEveryHitInFindOrderAndNeverWritesTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    {
        store::Database db;
        db.createDefault();
        const auto add = [&](store::CategoryId category, std::string title, std::string address,
                             std::uint32_t kind) {
            db.addItem(category,
                       {std::move(address), "/home/a", std::move(title), "", 1, kind, 0, {}, {}});
        };
        add(7, "Wiki \"Life\"", "http://life.example", store::kKindUrl);
        add(3, "life notes", "", store::kKindFile);
        add(2, "old life", "http://old.example", store::kKindUrl);
        ASSERT_TRUE(test::save(db, path));
    }
    const std::string before = test::readBytes(path);
    test::CliOutcome r = runCli({"find", path, "LIFE"});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out,
              "{\"category\":[\"WebFavorite\",\"BBS\"],\"title\":\"life notes\",\"address\":\"\"}\n"
              "{\"category\":[\"WebFavorite\",\"BBS\",\"Life\"],\"title\":\"Wiki \\\"Life\\\"\","
              "\"address\":\"http://life.example\"}\n"
              "{\"category\":[\"Recycle\"],\"title\":\"old life\",\"address\":"
              "\"http://old.example\"}\n");
    r = runCli({"find", path, "example", "--fields", "title,comment"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "");
    r = runCli({"find", path, "notes", "--type", "remind", "--fields", "title"});
    EXPECT_EQ(
        r.out,
        "{\"category\":[\"WebFavorite\",\"BBS\"],\"title\":\"life notes\",\"address\":\"\"}\n");
    EXPECT_EQ(test::readBytes(path), before);

    // Bad usage, and a load's exit code.
    EXPECT_EQ(runCli({"find", path, ""}).code, kExitFailed);
    EXPECT_EQ(runCli({"find", path, "x", "--type", "folder"}).code, kExitFailed);
    EXPECT_EQ(runCli({"find", path, "x", "--type", "file", "--fields", "address"}).code,
              kExitFailed);
    EXPECT_EQ(runCli({"find", dir.file("missing.lhd"), "x"}).code, kExitUnreadable);
}

}  // namespace
}  // namespace lh::cli

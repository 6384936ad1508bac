#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "platform/FileInfo.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using Outcome = test::CliOutcome;
using test::runCli;

TEST(BackupCommandsTest, BackupFillsTheSlotsInTurnAndWritesNothingForABadFile) {
    test::TempDir dir;
    const std::string data = dir.file("my.lhd");
    ASSERT_EQ(runCli({"new", data}).code, kExitOk);
    Outcome r = runCli({"backup", data});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"backup\":\"" + dir.file("my.lbak1") + "\"}\n");
    store::Database backup;
    EXPECT_EQ(test::load(backup, dir.file("my.lbak1")), store::LoadOutcome::Loaded);
    EXPECT_EQ(runCli({"backup", data}).out, "{\"backup\":\"" + dir.file("my.lbak2") + "\"}\n");

    r = runCli({"backups", data});
    EXPECT_EQ(r.code, kExitOk);
    const std::string folder = dir.path() + "/";
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')).rfind("{\"name\":\"my.lbak2\",\"date\":\"", 0), 0u);
    EXPECT_NE(r.out.find("\"folder\":\"" + folder + "\"}\n{\"name\":\"my.lbak1\""),
              std::string::npos);

    // A bad file: nothing written.
    test::writeBytes(dir.file("bad.lhd"), "damaged");
    EXPECT_EQ(runCli({"backup", dir.file("bad.lhd")}).code, kExitRefused);
    EXPECT_EQ(test::listFolder(dir.path()),
              (std::vector<std::string>{"bad.lhd", "my.lbak1", "my.lbak2", "my.lhd"}));

    // Slot 1 leads into a missing folder: the save fails.
    ASSERT_EQ(runCli({"new", dir.file("ok.lhd")}).code, kExitOk);
    std::filesystem::create_symlink(dir.file("missing/x"), dir.file("ok.lbak1"));
    r = runCli({"backup", dir.file("ok.lhd")});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(dir.file("ok.lbak1")), std::string::npos);
    EXPECT_NE(r.err.find("No such file"), std::string::npos);

    // A slot that exists but cannot be opened: no backup name.
    std::filesystem::remove(dir.file("ok.lbak1"));
    std::filesystem::create_directory(dir.file("ok.lbak1"));
    r = runCli({"backup", dir.file("ok.lhd")});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"backup\":\"\"}\n");

    EXPECT_EQ(runCli({"backup"}).code, kExitFailed);
    EXPECT_EQ(runCli({"backups", dir.file("ok.lhd")}).out, "");
}

}  // namespace
}  // namespace lh::cli

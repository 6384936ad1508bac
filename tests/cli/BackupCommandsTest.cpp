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

// Which slot comes next, and when none can be written, is FileCommandsTest's.
TEST(BackupCommandsTest, BackupWritesTheNextSlotListsItAndWritesNothingForABadFile) {
    test::TempDir dir;
    const std::string data = dir.file("my.lhd");
    ASSERT_EQ(runCli({"new", data}).code, kExitOk);
    Outcome r = runCli({"backup", data});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"backup\":\"" + dir.file("my.lbak1") + "\"}\n");
    store::Database backup;
    EXPECT_EQ(test::load(backup, dir.file("my.lbak1")), store::LoadOutcome::Loaded);
    // The help names the slot as it was written: the extension replaced, not added to.
    const std::string help = runCli({"--help"}).out;
    EXPECT_NE(help.find("(my.lhd: my.lbak1)"), std::string::npos);
    EXPECT_EQ(help.find("FILE.lbak"), std::string::npos);

    // Slot 1 at 2007-02-15 09:30:00 UTC, slot 2 a day older: the newest is not the first row.
    ASSERT_EQ(runCli({"backup", data}).code, kExitOk);
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak1"), 1171531800LL * 1'000'000'000), 0);
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak2"), 1171445400LL * 1'000'000'000), 0);
    r = runCli({"backups", data});
    EXPECT_EQ(r.code, kExitOk);
    const std::string folder = "\"folder\":\"" + dir.path() + "/\"";
    EXPECT_EQ(r.out, "{\"name\":\"my.lbak2\",\"date\":\"02/14/2007 09:30:00\"," + folder +
                         ",\"iso\":\"2007-02-14T09:30:00Z\"}\n"
                         "{\"name\":\"my.lbak1\",\"date\":\"02/15/2007 09:30:00\"," +
                         folder + ",\"iso\":\"2007-02-15T09:30:00Z\",\"newest\":true}\n");

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
    EXPECT_EQ(r.out.rfind("{\"error\":\"cannot write the backup " + dir.file("ok.lbak1"), 0), 0u);
    EXPECT_NE(r.err.find(dir.file("ok.lbak1")), std::string::npos);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos);
    EXPECT_EQ(runCli({"backup"}).code, kExitFailed);
}

}  // namespace
}  // namespace lh::cli

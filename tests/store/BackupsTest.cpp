#include "store/Backups.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/FileInfo.h"
#include "store/Database.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

constexpr platform::FileTime kSecond = 1'000'000'000;

TEST(BackupsTest, NamesComeFromTheStemBesideTheDataFile) {
    EXPECT_EQ(backupNames("/data/my.lhd").value().path(1), "/data/my.lbak1");
    EXPECT_EQ(backupNames("/data/book").value().path(4), "/data/book.lbak4");
    EXPECT_EQ(backupNames("/data/a.b.lhd  ").value().path(2), "/data/a.b.lbak2");
    EXPECT_FALSE(backupNames("/a"));          // shorter than 4 characters
    EXPECT_FALSE(backupNames("my.lhd"));      // no separator
    EXPECT_FALSE(backupNames("/data/.lhd"));  // empty stem
    EXPECT_EQ(chooseBackupName("my.lhd"), "");
}

TEST(BackupsTest, DailyDecisionFollowsTheCalendar) {
    EXPECT_EQ(decideDailyBackup(0, 6, true, "/d/a.lhd").backUp, true);  // first tick after start
    EXPECT_EQ(decideDailyBackup(6, 6, true, "/d/a.lhd").backUp, false);
    const DailyBackupDecision off = decideDailyBackup(6, 7, false, "/d/a.lhd");
    EXPECT_FALSE(off.backUp);
    EXPECT_EQ(off.rememberedDay, 7);  // the day moves on even when off
    EXPECT_FALSE(decideDailyBackup(6, 7, true, " ").backUp);
}

TEST(BackupsTest, RestoreListShowsSlotsFourToOneWithUtcDatesAndMarksTheNewest) {
    test::TempDir dir;
    const std::string data = dir.file("Default.lhd");
    EXPECT_FALSE(backupExists(data));
    EXPECT_TRUE(restoreList(data).empty());
    test::writeBytes(dir.file("Default.lbak1"), "one");
    test::writeBytes(dir.file("Default.lbak2"), "two");
    Database backup;  // slot 4 is a real database with two links (and a file item)
    backup.createDefault();
    for (const std::uint32_t kind : {kKindUrl, kKindFile, kKindUrl}) {
        ItemFields item;
        item.flags = kind;
        backup.addItem(kRootId + 3, item);
    }
    platform::IoError error;
    ASSERT_TRUE(backup.save(dir.file("Default.lbak4"), error));
    // 2007-02-15 09:30:00 UTC
    ASSERT_EQ(platform::setFileWriteTime(dir.file("Default.lbak2"), 1171531800 * kSecond), 0);
    // After the slots wrapped: slot 1 written last, one second after slot 4.
    ASSERT_EQ(platform::setFileWriteTime(dir.file("Default.lbak4"), 1796000000 * kSecond), 0);
    ASSERT_EQ(platform::setFileWriteTime(dir.file("Default.lbak1"), 1796000001 * kSecond), 0);
    ::chmod(dir.file("Default.lbak1").c_str(), 0444);
    EXPECT_TRUE(backupExists(data));

    const auto rows = withLinkCounts(restoreList(data));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "Default.lbak4");
    EXPECT_EQ(rows[0].links, 2u);
    EXPECT_EQ(rows[1], (BackupRow{"Default.lbak2", "02/15/2007 09:30:00", dir.path() + "/",
                                  "2007-02-15T09:30:00Z", false, 3, std::nullopt}));
    EXPECT_EQ(rows[2].name, "Default.lbak1");
    EXPECT_TRUE(rows[2].newest);
    // On equal times the higher slot is the newer: the lower one is overwritten first.
    ASSERT_EQ(platform::setFileWriteTime(dir.file("Default.lbak1"), 1796000000 * kSecond), 0);
    const auto tied = restoreList(data);
    EXPECT_EQ(std::count_if(tied.begin(), tied.end(), [](auto& r) { return r.newest; }), 1);
    EXPECT_TRUE(tied[0].newest);
}

}  // namespace
}  // namespace lh::store

// linkhaven-cli due.

#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using test::runCli;

TEST(DueCommandsTest, PrintsWhatOneTickAnnouncesInOrder) {
    test::TempDir dir;
    const std::string path = dir.file("dates.lhd");
    test::FakeClock clock({2026, 12, 1, 9, 0, 0, 2});
    store::Database db(clock);
    db.createDefault();
    const auto add = [&](std::string title, std::uint32_t schedule, store::DateTimeStamp when) {
        const store::ItemFields f{
            "", "bell.wav", std::move(title), "say \"hi\"", 2, store::kKindRemind | schedule, 0,
            {}, when};
        db.addReminder(*store::remindKey(f.flags, when), db.addItem(3, f)->id());
    };
    // 2026-12-24 is a Thursday.
    add("yearly", store::kScheduleYearly, {20, 12, 24, 18, 0, 0, 0});
    add("thursdays", store::kScheduleWeekdays | store::kScheduleThursday, {20, 1, 1, 18, 0, 0, 0});
    add("once", store::kScheduleOnce, {26, 12, 24, 18, 0, 0, 0});
    add("once too", store::kScheduleOnce, {26, 12, 24, 18, 0, 0, 0});
    add("earlier", store::kScheduleOnce, {26, 12, 24, 17, 0, 0, 0});
    ASSERT_TRUE(test::save(db, path));
    const std::string bytes = test::readBytes(path);
    const std::string category = db.findCategory(3)->name();
    const auto line = [&](const char* key, const char* type, const char* title) {
        return std::string("{\"key\":") + key + ",\"type\":\"" + type + "\",\"title\":\"" + title +
               "\",\"comment\":\"say \\\"hi\\\"\",\"category\":\"" + category +
               "\",\"rate\":2,\"sound\":\"bell.wav\"}\n";
    };

    const test::CliOutcome due = runCli({"due", path, "--at", "2026-12-24 18:00"});
    EXPECT_EQ(due.code, kExitOk) << due.err;
    EXPECT_EQ(due.out, line("2612241800", "once", "once") + line("2612241800", "once", "once too") +
                           line("1800", "weekdays", "thursdays") +
                           line("12241800", "yearly", "yearly"));
    EXPECT_EQ(test::readBytes(path), bytes);

    // The refusal's wording and one-line form are CliTest's.
    for (const char* bad : {"2026-02-29 10:00", "2026-12-24 24:00", "2026-12-24T18:00 "}) {
        EXPECT_EQ(runCli({"due", path, "--at", bad}).code, kExitFailed) << bad;
    }
    EXPECT_EQ(runCli({"due", path}).code, kExitFailed);
    EXPECT_EQ(runCli({"due", dir.file("none.lhd"), "--at", "2026-12-24 18:00"}).code,
              kExitUnreadable);
}

}  // namespace
}  // namespace lh::cli

#include "commands/ReminderTimers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsBackend.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using reminders::Announcement;
using Titles = std::vector<std::string>;

Titles titlesOf(const std::vector<Announcement>& shown) {
    Titles titles;
    for (const Announcement& a : shown) {
        titles.push_back(a.title +
                         (a.missedAt ? " (" + reminders::missedText(*a.missedAt) + ")" : ""));
    }
    return titles;
}

// One run of the program: settings read from the shared store, the database loaded from `path`.
struct ProgramRun {
    ProgramRun(test::MemorySettingsBackend& backend, platform::LocalTime start, std::int64_t utc,
               const std::string& path)
        : clock(start), store(backend) {
        clock.setUtcSeconds(utc);
        store.readRemindDefaults(settings);
        timers.emplace(ReminderTimers::Services{db, settings, store, clock});
        EXPECT_EQ(test::load(db, path), store::LoadOutcome::Loaded);
    }
    test::FakeClock clock;
    settings::SettingsStore store;
    settings::AppSettings settings;
    store::Database db{clock};
    std::optional<ReminderTimers> timers;
};

TEST(ReminderTimersTest, MissedRemindersAndKeptAlarmsShowOnceAfterARestartAndTheNewYearOneRings) {
    test::TempDir dir;
    const std::string path = dir.file("dates.lhd");
    {
        test::FakeClock clock({2026, 12, 31, 12, 0, 0, 4});
        store::Database db(clock);
        db.createDefault();
        const store::ItemFields fields{"", "", "while closed",           "", 3, store::kKindRemind,
                                       0,  {}, {26, 12, 31, 22, 0, 0, 0}};
        db.addReminder(2612312200, db.addItem(3, fields)->id());
        store::ItemFields newYear = fields;
        newYear.title = "new year";
        newYear.remindTime = {27, 1, 1, 0, 5, 0, 0};
        db.addReminder(2701010005, db.addItem(3, newYear)->id());
        ASSERT_TRUE(test::save(db, path));
    }
    test::MemorySettingsBackend backend;
    constexpr std::int64_t kUtc = 1'798'714'800;
    const Announcement tea{"tea", "", "BBS", "", 2, std::nullopt};
    const Announcement call{"call", "", "BBS", "", 1, std::nullopt};
    {
        ProgramRun first(backend, {2026, 12, 31, 21, 0, 0, 4}, kUtc, path);
        EXPECT_TRUE(first.timers->reminderTick().empty());
        // Stored at once, not at the close.
        EXPECT_EQ(std::get<std::string>(backend.keys.at("Default").at("RmdLastCheck")),
                  "2026-12-31 21:00");
        first.timers->snooze(tea, 600);
        first.timers->keepForNextRun({call});
    }
    {
        ProgramRun second(backend, {2026, 12, 31, 23, 0, 0, 4}, kUtc + 7200, path);
        EXPECT_EQ(titlesOf(second.timers->restorePending()), (Titles{"tea", "call"}));
        EXPECT_EQ(titlesOf(second.timers->reminderTick()),
                  Titles{"while closed (Missed: 2026-12-31 22:00)"});
        second.timers->keepForNextRun({});
    }
    ProgramRun third(backend, {2026, 12, 31, 23, 30, 0, 4}, kUtc + 9000, path);
    EXPECT_TRUE(third.timers->restorePending().empty());
    EXPECT_TRUE(third.timers->reminderTick().empty());
    // A snooze kept for later stays put off until its instant.
    third.timers->snooze(tea, 300);
    third.timers->keepForNextRun({});
    ProgramRun fourth(backend, {2026, 12, 31, 23, 31, 0, 4}, kUtc + 9060, path);
    EXPECT_TRUE(fourth.timers->restorePending().empty());
    fourth.clock.setUtcSeconds(kUtc + 9300);
    EXPECT_EQ(titlesOf(fourth.timers->housekeepingTick().due), Titles{"tea"});
    fourth.clock.set({2027, 1, 1, 0, 5, 0, 5});
    EXPECT_EQ(titlesOf(fourth.timers->reminderTick()), Titles{"new year"});
}

}  // namespace
}  // namespace lh::commands

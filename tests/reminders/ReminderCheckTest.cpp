#include "reminders/ReminderCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Database.h"
#include "support/FakeClock.h"

namespace lh::reminders {
namespace {

using store::DateTimeStamp;
using store::ItemId;
using Rings = std::vector<std::string>;

platform::LocalTime at(int year, int month, int day, int hour, int minute, int second = 0) {
    platform::LocalTime t = localMinute(minuteNumber({year, month, day, hour, minute, 0, 0}));
    t.second = second;
    return t;
}

constexpr std::uint32_t kEveryDay = store::kScheduleDaysMask;

class ReminderCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        category = db.addCategory(store::kRootId, {"Dates", "", "", store::kClassRemind})->id();
    }
    // A Remind item filed under its key, as the Remind dialog files a new one.
    ItemId remind(const std::string& title, std::uint32_t schedule, DateTimeStamp when) {
        const store::ItemFields fields{
            "", "chime.wav", title, "memo " + title, 4, store::kKindRemind | schedule, 0, {}, when};
        const ItemId id = db.addItem(category, fields)->id();
        db.addReminder(*store::remindKey(fields.flags, when), id);
        return id;
    }
    // One tick: each announcement as its title, "!" and the missed minute when late.
    Rings tick(ReminderCheck& check, const platform::LocalTime& now) {
        Rings rings;
        for (const DueReminder& due : check.tick(db, now).due) {
            const Announcement& a = due.announcement;
            EXPECT_EQ(a.category, "Dates");
            rings.push_back(a.title + (a.missedAt ? "!" + formatMinute(*a.missedAt) : ""));
        }
        return rings;
    }

    test::FakeClock clock{at(2026, 12, 6, 9, 30)};
    store::Database db{clock};
    store::CategoryId category = 0;
};

TEST_F(ReminderCheckTest, OneTimeRemindersRingOnceInFilingOrderThenLeaveTheIndex) {
    remind("first", store::kScheduleOnce, {26, 12, 6, 18, 30, 0, 0});
    remind("second", store::kScheduleOnce, {26, 12, 6, 18, 30, 0, 0});
    remind("later", store::kScheduleOnce, {27, 1, 1, 0, 0, 0, 0});
    ReminderCheck check(std::nullopt, at(2026, 12, 6, 18, 29));
    const ReminderCheck::Tick first = check.tick(db, at(2026, 12, 6, 18, 30, 5));
    ASSERT_EQ(first.due.size(), 2u);
    EXPECT_EQ(first.due[0].announcement,
              (Announcement{"first", "memo first", "Dates", "chime.wav", 4, std::nullopt}));
    EXPECT_EQ(first.due[1].announcement.title, "second");
    EXPECT_EQ(first.due[0].key, 2612061830u);
    EXPECT_TRUE(first.advanced);
    EXPECT_EQ(db.findReminders(2612061830), nullptr);
    EXPECT_EQ(tick(check, at(2026, 12, 6, 18, 30, 57)), Rings{});  // the same minute again
    EXPECT_EQ(tick(check, at(2027, 1, 1, 0, 0, 40)), Rings{"later"});

    // A one-time key of a year ending 00 equals the yearly key of the same day and time: each
    // rings by its own schedule, one-time first.
    remind("yearly", store::kScheduleYearly, {26, 12, 24, 18, 0, 0, 0});
    remind("once", store::kScheduleOnce, {0, 12, 24, 18, 0, 0, 0});
    ReminderCheck century(std::nullopt, at(2100, 12, 24, 17, 59));
    EXPECT_EQ(tick(century, at(2100, 12, 24, 18, 0, 30)), (Rings{"once", "yearly"}));
    EXPECT_EQ(db.findReminders(12241800)->size(), 1u);  // the yearly one stays
}

TEST_F(ReminderCheckTest, WeekdayRemindersRingOnTheirDaysOnly) {
    // 2026-12-07 is a Monday.
    for (int iso = 1; iso <= 7; ++iso) {
        remind("day" + std::to_string(iso), store::kScheduleWeekdays | store::weekdayBit(iso),
               {26, 1, 1, 8, 0, 0, 0});
    }
    remind("mon+thu", store::kScheduleWeekdays | store::kScheduleMonday | store::kScheduleThursday,
           {26, 1, 1, 8, 0, 0, 0});
    remind("no day", store::kScheduleWeekdays, {26, 1, 1, 8, 0, 0, 0});
    ReminderCheck check(std::nullopt, at(2026, 12, 7, 0, 0));
    for (int iso = 1; iso <= 7; ++iso) {
        EXPECT_EQ(tick(check, at(2026, 12, 6 + iso, 7, 59, 30)), Rings{}) << iso;
        Rings expected{"day" + std::to_string(iso)};
        if (iso == 1 || iso == 4) {
            expected.push_back("mon+thu");
        }
        EXPECT_EQ(tick(check, at(2026, 12, 6 + iso, 8, 0, 10)), expected) << iso;
    }
}

TEST_F(ReminderCheckTest, LeapDayRingsInLeapYearsOnly) {
    remind("leap", store::kScheduleYearly, {24, 2, 29, 9, 0, 0, 0});
    ReminderCheck check(std::nullopt, at(2027, 2, 28, 8, 0));
    EXPECT_EQ(tick(check, at(2027, 3, 1, 9, 0)), Rings{});
    EXPECT_EQ(tick(check, at(2028, 2, 28, 9, 0)), Rings{});
    EXPECT_EQ(tick(check, at(2028, 2, 29, 9, 0)), Rings{"leap"});
}

TEST_F(ReminderCheckTest, LateTicksCatchUpOnceAndMarkTheMissedMinute) {
    remind("daily", store::kScheduleWeekdays | kEveryDay, {26, 1, 1, 10, 1, 0, 0});
    remind("once", store::kScheduleOnce, {26, 12, 7, 10, 2, 0, 0});
    remind("yearly", store::kScheduleYearly, {26, 12, 10, 6, 0, 0, 0});
    ReminderCheck check(std::nullopt, at(2026, 12, 7, 10, 0));
    // A tick gap of three minutes.
    EXPECT_EQ(tick(check, at(2026, 12, 7, 10, 0)), Rings{});
    EXPECT_EQ(tick(check, at(2026, 12, 7, 10, 3)),
              (Rings{"once!2026-12-07 10:02", "daily!2026-12-07 10:01"}));
    // A week's suspend: each reminder rings once, at its latest missed minute.
    EXPECT_EQ(tick(check, at(2026, 12, 14, 9, 0)),
              (Rings{"daily!2026-12-13 10:01", "yearly!2026-12-10 06:00"}));
    EXPECT_EQ(tick(check, at(2026, 12, 14, 9, 1)), Rings{});
}

TEST_F(ReminderCheckTest, ClockChangesNeitherSkipNorRepeatAMinute) {
    remind("half past two", store::kScheduleWeekdays | kEveryDay, {26, 1, 1, 2, 30, 0, 0});
    remind("ten past three", store::kScheduleWeekdays | kEveryDay, {26, 1, 1, 3, 10, 0, 0});
    // Summer time begins: 01:59 is followed by 03:00, and 02:30 is not lost.
    ReminderCheck spring(std::nullopt, at(2027, 3, 28, 1, 58));
    EXPECT_EQ(tick(spring, at(2027, 3, 28, 1, 59, 30)), Rings{});
    EXPECT_EQ(tick(spring, at(2027, 3, 28, 3, 0, 20)), Rings{"half past two!2027-03-28 02:30"});
    // Summer time ends: 02:59 is followed by 02:00 again, and 02:30 does not ring twice.
    ReminderCheck autumn(std::nullopt, at(2027, 10, 31, 2, 0));
    Rings rings;
    for (int step = 0; step < 60 + 75; ++step) {  // 02:00-02:59, then 02:00-03:14
        const int minute = step < 60 ? step : step - 60;
        const Rings now = tick(autumn, at(2027, 10, 31, 2 + minute / 60, minute % 60, 10));
        rings.insert(rings.end(), now.begin(), now.end());
    }
    EXPECT_EQ(rings, (Rings{"half past two", "ten past three"}));
    // The clock set back two hours starts checking afresh at the new time.
    ReminderCheck setBack(std::nullopt, at(2027, 11, 1, 4, 0));
    EXPECT_EQ(tick(setBack, at(2027, 11, 1, 4, 0)), Rings{});
    EXPECT_EQ(tick(setBack, at(2027, 11, 1, 2, 0)), Rings{});
    EXPECT_EQ(tick(setBack, at(2027, 11, 1, 2, 30)), Rings{"half past two"});
    // Set back while the program was closed: a last check later than the start counts as the start.
    const ReminderCheck restart(at(2027, 6, 1, 0, 0), at(2027, 1, 1, 0, 0));
    EXPECT_EQ(minuteNumber(restart.lastChecked()), minuteNumber(at(2027, 1, 1, 0, 0)) - 1);
}

// Refiling on moves to and from the Recycle is DatabaseTest's; here the clock decides.
TEST_F(ReminderCheckTest, APassedOneTimeReminderMovedBackFromTheRecycleStaysOut) {
    const std::vector<ItemId> once{remind("once", store::kScheduleOnce, {26, 12, 6, 11, 0, 0, 0})};
    db.moveItems(once, store::kRecycleId);
    clock.set(at(2026, 12, 6, 11, 30));
    db.moveItems(once, category);
    EXPECT_TRUE(db.remindIndex().empty());
}

}  // namespace
}  // namespace lh::reminders

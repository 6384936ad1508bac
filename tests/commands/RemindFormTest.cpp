#include "commands/RemindForm.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/AppSettings.h"
#include "store/Database.h"
#include "store/RemindKey.h"

namespace lh::commands {
namespace {

std::tuple<int, int, int> dateOf(const RemindValues& v) {
    return {v.year, v.month, v.day};
}

TEST(RemindFormTest, NewReminderOpensAtTheDefaultTimeOnItsNextOccurrence) {
    settings::AppSettings s;
    s.RmdHour = 10;
    s.RmdMinute = 30;
    s.RmdCheck = 0x00FE;
    s.RmdNormal = 4;
    s.RmdNormal1 = 8;
    s.RemindSound = "/usr/share/linkhaven/sounds/rmdsound.wav";
    const RemindValues today = newRemindForm(s, {2026, 3, 4, 10, 29, 59, 3});
    EXPECT_EQ(dateOf(today), std::make_tuple(2026, 3, 4));
    EXPECT_EQ(std::tie(today.hour, today.minute), std::make_tuple("10", "30"));
    EXPECT_EQ(today.type, RemindType::Once);
    EXPECT_EQ(today.weekdays, store::kScheduleDaysMask);
    EXPECT_EQ(std::tie(today.rate, today.category, today.sound),
              std::make_tuple(4, std::optional<store::CategoryId>(8), s.RemindSound));

    // The default minute itself is not later than now: tomorrow, across month and year ends.
    EXPECT_EQ(dateOf(newRemindForm(s, {2026, 3, 4, 10, 30, 0, 3})), std::make_tuple(2026, 3, 5));
    EXPECT_EQ(dateOf(newRemindForm(s, {2026, 12, 31, 11, 0, 0, 4})), std::make_tuple(2027, 1, 1));
    EXPECT_EQ(dateOf(newRemindForm(s, {2028, 2, 28, 23, 0, 0, 1})), std::make_tuple(2028, 2, 29));
    EXPECT_EQ(dateOf(newRemindForm(s, {2026, 2, 28, 23, 0, 0, 6})), std::make_tuple(2026, 3, 1));

    // Bit 0 set: no type is chosen; bits 1 to 7 are Monday to Sunday.
    s.RmdCheck = 0x0103;
    const RemindValues custom = newRemindForm(s, {2026, 3, 4, 9, 0, 0, 3});
    EXPECT_EQ(custom.type, std::nullopt);
    EXPECT_EQ(custom.weekdays, store::kScheduleMonday);
}

TEST(RemindFormTest, EditShowsTheItemsScheduleOnTodaysDate) {
    store::Database db;
    db.createDefault();
    store::ItemFields f;
    f.title = "T";
    f.comment = "C";
    f.location = "/a.wav";
    f.rate = 9;
    f.flags = store::kKindRemind;
    f.remindTime = {7, 2, 15, 9, 5, 0, 0};
    const store::ItemRecord& once = *db.addItem(7, f);
    f.flags = store::kKindRemind | store::kScheduleYearly | store::kScheduleWeekdays | 0x440;
    const store::ItemRecord& days = *db.addItem(7, f);
    const platform::LocalTime now{2026, 3, 4, 10, 30, 0, 3};

    const RemindValues shown = editRemindForm(once, now);
    EXPECT_EQ(shown.type, RemindType::Once);
    EXPECT_EQ(dateOf(shown), std::make_tuple(2007, 2, 15));
    EXPECT_EQ(std::tie(shown.hour, shown.minute), std::make_tuple("9", "5"));
    EXPECT_EQ(std::tie(shown.title, shown.memo, shown.sound, shown.rate),
              std::make_tuple("T", "C", "/a.wav", 9));
    EXPECT_EQ(shown.category, std::optional<store::CategoryId>(7));

    // Both type bits: the week days win, as the index files it.
    const RemindValues weekly = editRemindForm(days, now);
    EXPECT_EQ(weekly.type, RemindType::CustomDays);
    EXPECT_EQ(weekly.weekdays, 0x440u);
    EXPECT_EQ(dateOf(weekly), std::make_tuple(2026, 2, 15));
}

}  // namespace
}  // namespace lh::commands

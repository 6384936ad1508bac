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

TEST(RemindFormTest, NewReminderOpensOnTheDefaultMinutesNextOccurrenceAndTypeAndDays) {
    settings::AppSettings s;
    s.RmdHour = 10;
    s.RmdMinute = 30;
    s.RmdCheck = 0x00FE;
    const RemindValues today = newRemindForm(s, {2026, 3, 4, 10, 29, 59, 3});
    EXPECT_EQ(dateOf(today), std::make_tuple(2026, 3, 4));
    EXPECT_EQ(std::tie(today.hour, today.minute), std::make_tuple("10", "30"));
    EXPECT_EQ(today.type, RemindType::Once);
    EXPECT_EQ(today.weekdays, store::kScheduleDaysMask);
    // The default minute itself is not later than now: tomorrow, across month and year ends.
    EXPECT_EQ(dateOf(newRemindForm(s, {2026, 3, 4, 10, 30, 0, 3})), std::make_tuple(2026, 3, 5));
    EXPECT_EQ(dateOf(newRemindForm(s, {2026, 12, 31, 11, 0, 0, 4})), std::make_tuple(2027, 1, 1));
    EXPECT_EQ(dateOf(newRemindForm(s, {2028, 2, 28, 23, 0, 0, 1})), std::make_tuple(2028, 2, 29));

    // Bit 0 set: no type is chosen; bits 1 to 7 are Monday to Sunday.
    s.RmdCheck = 0x0103;
    const RemindValues custom = newRemindForm(s, {2026, 3, 4, 9, 0, 0, 3});
    EXPECT_EQ(custom.type, std::nullopt);
    EXPECT_EQ(custom.weekdays, store::kScheduleMonday);
}

TEST(RemindFormTest, EditShowsAOnceReminderInItsYearOfTheCentury) {
    store::Database db;
    db.createDefault();
    store::ItemFields f;
    f.flags = store::kKindRemind;
    f.remindTime = {7, 2, 15, 9, 5, 0, 0};
    const RemindValues shown = editRemindForm(*db.addItem(7, f), {2026, 3, 4, 10, 30, 0, 3});
    EXPECT_EQ(shown.type, RemindType::Once);
    EXPECT_EQ(dateOf(shown), std::make_tuple(2007, 2, 15));
    EXPECT_EQ(std::tie(shown.hour, shown.minute), std::make_tuple("9", "5"));
}

}  // namespace
}  // namespace lh::commands

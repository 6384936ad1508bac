#include "commands/RemindForm.h"

#include <string>
#include <tuple>

#include "platform/Clock.h"
#include "settings/AppSettings.h"
#include "store/ItemRecord.h"
#include "store/RemindKey.h"

namespace lh::commands {

namespace {

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year)) {
        return 29;
    }
    return month >= 1 && month <= 12 ? kDays[month - 1] : 31;
}

// The date after year-month-day.
void stepToNextDay(int& year, int& month, int& day) {
    if (day < daysInMonth(year, month)) {
        ++day;
        return;
    }
    day = 1;
    if (++month > 12) {
        month = 1;
        ++year;
    }
}

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

RemindValues newRemindForm(const settings::AppSettings& settings, const platform::LocalTime& now) {
    RemindValues values;
    values.year = now.year;
    values.month = now.month;
    values.day = now.day;
    const int hour = settings.RmdHour;
    const int minute = settings.RmdMinute;
    if (std::tie(hour, minute) <= std::tie(now.hour, now.minute)) {
        stepToNextDay(values.year, values.month, values.day);
    }
    values.hour = std::to_string(hour);
    values.minute = std::to_string(minute);
    if ((settings.RmdCheck & kDefaultNotOnceBit) == 0) {
        values.type = RemindType::Once;
    }
    values.weekdays = static_cast<std::uint32_t>(settings.RmdCheck & kDefaultDaysMask)
                      << kDefaultDaysShift;
    values.rate = settings.RmdNormal;
    values.category = settings.RmdNormal1;
    values.sound = settings.RemindSound;
    return values;
}

RemindValues editRemindForm(const store::ItemRecord& item, const platform::LocalTime& now) {
    RemindValues values;
    values.title = std::string(item.title());
    values.memo = std::string(item.comment());
    values.sound = std::string(item.location());
    values.rate = item.rate();
    values.category = item.categoryId();
    values.weekdays = item.flags() & store::kScheduleDaysMask;
    const store::DateTimeStamp& t = item.remindTime();
    values.year = now.year;
    if (item.flags() & store::kScheduleWeekdays) {
        values.type = RemindType::CustomDays;
    } else if (item.flags() & store::kScheduleYearly) {
        values.type = RemindType::Yearly;
    } else {
        values.type = RemindType::Once;
        values.year = now.year / 100 * 100 + t.year % 100;
    }
    values.month = t.month;
    values.day = t.day;
    values.hour = std::to_string(t.hour);
    values.minute = std::to_string(t.minute);
    return values;
}

}  // namespace lh::commands

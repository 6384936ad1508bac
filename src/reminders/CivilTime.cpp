#include "reminders/CivilTime.h"

#include <cstdio>

namespace lh::reminders {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Howard Hinnant's days_from_civil.
std::int64_t dayNumber(int year, int month, int day) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int isoWeekday(std::int64_t days) {
    // 1970-01-01 was a Thursday (4).
    const std::int64_t fromMonday = ((days + 3) % 7 + 7) % 7;
    return static_cast<int>(fromMonday) + 1;
}

MinuteNumber minuteNumber(const platform::LocalTime& t) {
    return dayNumber(t.year, t.month, t.day) * kMinutesPerDay + t.hour * 60 + t.minute;
}

platform::LocalTime localMinute(MinuteNumber minute) {
    std::int64_t days = minute / kMinutesPerDay;
    std::int64_t inDay = minute % kMinutesPerDay;
    if (inDay < 0) {
        inDay += kMinutesPerDay;
        --days;
    }
    // Howard Hinnant's civil_from_days.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year,
            month,
            day,
            static_cast<int>(inDay / 60),
            static_cast<int>(inDay % 60),
            0,
            isoWeekday(days) % 7};
}

std::string formatMinute(const platform::LocalTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

std::optional<platform::LocalTime> parseMinute(std::string_view text) {
    constexpr std::string_view kShape = "dddd-dd-dd dd:dd";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) {
            return std::nullopt;
        }
    }
    const auto number = [text](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    if (year < 1970 || day < 1 || day > daysInMonth(year, month) || hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return localMinute(minuteNumber({year, month, day, hour, minute, 0, 0}));
}

}  // namespace lh::reminders

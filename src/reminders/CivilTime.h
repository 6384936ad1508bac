#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace lh::reminders {

// Minutes of the wall clock counted from 1970-01-01 00:00, without time zones: the reminders
// ring by what the wall clock shows, so minute arithmetic is done on its own dates.
using MinuteNumber = std::int64_t;

inline constexpr MinuteNumber kMinutesPerDay = 24 * 60;

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// Days from 1970-01-01 to the date (negative before).
std::int64_t dayNumber(int year, int month, int day);
// 1 Monday .. 7 Sunday.
int isoWeekday(std::int64_t dayNumber);

MinuteNumber minuteNumber(const platform::LocalTime& t);
// The minute as a LocalTime (second 0, its day of the week filled in).
platform::LocalTime localMinute(MinuteNumber minute);

// "YYYY-MM-DD HH:MM".
std::string formatMinute(const platform::LocalTime& t);
// The minute spelled "YYYY-MM-DD HH:MM" (exactly so); none when malformed or not a real date
// and time.
std::optional<platform::LocalTime> parseMinute(std::string_view text);

}  // namespace lh::reminders

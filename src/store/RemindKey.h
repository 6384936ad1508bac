#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/Clock.h"
#include "store/DateTimeStamp.h"

namespace lh::store {

// Reminder schedule bits of an item's `flags`.
inline constexpr std::uint32_t kScheduleMask = 0x30;
inline constexpr std::uint32_t kScheduleOnce = 0x00;
inline constexpr std::uint32_t kScheduleYearly = 0x10;
inline constexpr std::uint32_t kScheduleWeekdays = 0x20;

using RemindKey = std::uint64_t;

// The key a reminder is filed under: the decimal number spelled by its time laid out by its
// schedule, "%02d%02d%02d%02d%02d" (year % 100, month, day, hour, minute) for once,
// "%02d%02d%02d%02d" (month, day, hour, minute) for yearly, "%02d%02d" (hour, minute) for week
// days. None when a field it uses is out of range (month 1-12, day 1-31, hour 0-23, minute 0-59).
std::optional<RemindKey> remindKey(std::uint32_t flags, const DateTimeStamp& time);

// The three keys that are due at the minute `now` (once, yearly, week days), in that order.
std::array<RemindKey, 3> dueRemindKeys(const platform::LocalTime& now);

// True for a one-time reminder whose minute is already before `now`'s (the loader leaves such
// reminders out of the index). Years are compared modulo 100, months as 31 days, years as 365.
bool isExpiredOnceReminder(std::uint32_t flags, const DateTimeStamp& time,
                           const platform::LocalTime& now);

}  // namespace lh::store

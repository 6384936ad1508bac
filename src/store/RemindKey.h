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

// The week days a week-day reminder rings on, Monday first.
inline constexpr std::uint32_t kScheduleMonday = 0x40;
inline constexpr std::uint32_t kScheduleTuesday = 0x80;
inline constexpr std::uint32_t kScheduleWednesday = 0x100;
inline constexpr std::uint32_t kScheduleThursday = 0x200;
inline constexpr std::uint32_t kScheduleFriday = 0x400;
inline constexpr std::uint32_t kScheduleSaturday = 0x800;
inline constexpr std::uint32_t kScheduleSunday = 0x1000;
inline constexpr std::uint32_t kScheduleDaysMask = 0x1fc0;

// The bit of the ISO week day `isoWeekday` (1 Monday .. 7 Sunday); 0 outside that range.
constexpr std::uint32_t weekdayBit(int isoWeekday) {
    return isoWeekday >= 1 && isoWeekday <= 7 ? kScheduleMonday << (isoWeekday - 1) : 0;
}

using RemindKey = std::uint64_t;

// The key a reminder is filed under: the decimal number spelled by its time laid out by its
// schedule, "%02d%02d%02d%02d%02d" (year % 100, month, day, hour, minute) for once,
// "%02d%02d%02d%02d" (month, day, hour, minute) for yearly, "%02d%02d" (hour, minute) for week
// days. None when a field it uses is out of range (month 1-12, day 1-31, hour 0-23, minute 0-59).
std::optional<RemindKey> remindKey(std::uint32_t flags, const DateTimeStamp& time);

// The three keys that are due at the minute `now` (once, yearly, week days), in that order.
std::array<RemindKey, 3> dueRemindKeys(const platform::LocalTime& now);

// True when `flags` schedule a one-time reminder.
bool isOnceReminder(std::uint32_t flags);

// True for a one-time reminder whose minute is already before `now`'s. The keys are compared,
// so the years count modulo 100.
bool isExpiredOnceReminder(std::uint32_t flags, const DateTimeStamp& time,
                           const platform::LocalTime& now);

}  // namespace lh::store

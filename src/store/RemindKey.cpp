#include "store/RemindKey.h"

namespace lh::store {

namespace {

std::uint32_t scheduleOf(std::uint32_t flags) {
    // The week-day bit wins when both schedule bits are set.
    if (flags & kScheduleWeekdays) {
        return kScheduleWeekdays;
    }
    return flags & kScheduleYearly;
}

RemindKey onceKey(int yy, int month, int day, int hour, int minute) {
    return static_cast<RemindKey>(yy) * 100000000 + static_cast<RemindKey>(month) * 1000000 +
           static_cast<RemindKey>(day) * 10000 + static_cast<RemindKey>(hour) * 100 +
           static_cast<RemindKey>(minute);
}

}  // namespace

std::optional<RemindKey> remindKey(std::uint32_t flags, const DateTimeStamp& t) {
    const bool timeValid = t.hour <= 23 && t.minute <= 59;
    const bool dateValid = t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31;
    switch (scheduleOf(flags)) {
        case kScheduleWeekdays:
            if (!timeValid) {
                return std::nullopt;
            }
            return static_cast<RemindKey>(t.hour) * 100 + t.minute;
        case kScheduleYearly:
            if (!timeValid || !dateValid) {
                return std::nullopt;
            }
            return onceKey(0, t.month, t.day, t.hour, t.minute);
        default:
            if (!timeValid || !dateValid) {
                return std::nullopt;
            }
            return onceKey(t.year % 100, t.month, t.day, t.hour, t.minute);
    }
}

std::array<RemindKey, 3> dueRemindKeys(const platform::LocalTime& now) {
    return {onceKey(now.year % 100, now.month, now.day, now.hour, now.minute),
            onceKey(0, now.month, now.day, now.hour, now.minute),
            static_cast<RemindKey>(now.hour) * 100 + static_cast<RemindKey>(now.minute)};
}

bool isOnceReminder(std::uint32_t flags) {
    return scheduleOf(flags) == kScheduleOnce;
}

bool isExpiredOnceReminder(std::uint32_t flags, const DateTimeStamp& t,
                           const platform::LocalTime& now) {
    const auto key = remindKey(flags, t);
    return isOnceReminder(flags) && key && *key < dueRemindKeys(now)[0];
}

}  // namespace lh::store

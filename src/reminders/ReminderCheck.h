#pragma once

#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "reminders/Announcement.h"
#include "reminders/CivilTime.h"
#include "store/RemindKey.h"

namespace lh::store {
class Database;
}

namespace lh::reminders {

// A reminder that is due: what its alarm shows, and the key and schedule it is filed by.
struct DueReminder {
    Announcement announcement;
    store::RemindKey key = 0;
    std::uint32_t schedule = store::kScheduleOnce;
};

// The reminder timer's memory: the last minute it has checked. Every minute is checked once,
// whatever the ticks do: a tick that comes late (a blocked loop, a suspend, a daylight-saving
// jump forward) catches up on the minutes in between, one checked twice rings nothing again, and
// a clock moving back rings nothing until it passes the last checked minute, unless it moved
// back more than an hour: then checking starts afresh at the new time.
class ReminderCheck {
public:
    // The steps back that still count as the same timeline (daylight saving ends).
    static constexpr MinuteNumber kLargestStepBack = 60;

    // `lastChecked` is the last minute checked before the program started; none, or one later
    // than `start`, means checking starts with the minute `start`.
    ReminderCheck(std::optional<platform::LocalTime> lastChecked, const platform::LocalTime& start);

    // The last minute checked. One-time reminders after it are still to ring, so a database
    // loaded now must keep them (store::Database::setOnceReminderHorizon).
    platform::LocalTime lastChecked() const { return localMinute(m_lastChecked); }

    struct Tick {
        // What to show, in order: one-time, week-day, yearly reminders; by key, then in the
        // order they were filed.
        std::vector<DueReminder> due;
        // Set when the last checked minute moved: store it at once.
        bool advanced = false;
    };
    // Checks the minutes up to `now`: every one-time reminder in the index whose minute is not
    // after `now`'s rings and leaves the index; each week-day and yearly reminder rings once when
    // it fell due after the last checked minute. Those due before `now`'s minute are marked
    // missed. A reminder whose category is gone rings nothing.
    Tick tick(store::Database& db, const platform::LocalTime& now);

private:
    MinuteNumber m_lastChecked;
};

}  // namespace lh::reminders

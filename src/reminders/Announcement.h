#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"

namespace lh::reminders {

// What one alarm shows: copies of the reminder's texts, never the record (which may be edited or
// deleted while the alarm is open, snoozed, or kept until the next start).
struct Announcement {
    std::string title;
    std::string comment;
    std::string category;  // the name of the reminder's category
    std::string sound;     // the file to loop while the alarm is open; empty: silence
    std::uint8_t rate = 1;
    // The minute the reminder was due, when it is announced late (the program was closed or the
    // computer asleep then).
    std::optional<platform::LocalTime> missedAt;

    bool operator==(const Announcement&) const = default;
};

// "Missed: YYYY-MM-DD HH:MM" for the minute `at`.
std::string missedText(const platform::LocalTime& at);

}  // namespace lh::reminders

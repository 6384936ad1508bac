#pragma once

#include <cstdint>

namespace lh::platform {

// A broken-down local time, as the user's wall clock shows it.
struct LocalTime {
    int year = 1970;    // full year, e.g. 2026
    int month = 1;      // 1-12
    int day = 1;        // 1-31
    int hour = 0;       // 0-23
    int minute = 0;     // 0-59
    int second = 0;     // 0-60
    int dayOfWeek = 4;  // 0 Sunday .. 6 Saturday

    bool operator==(const LocalTime&) const = default;
};

// Where the program reads the time; tests hand in one they can move.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local time.
    virtual LocalTime now() const = 0;
    // Seconds since 1970-01-01 00:00 UTC: an instant that does not move with the time zone or
    // daylight saving, for waits that must end at a moment whatever the wall clock shows.
    virtual std::int64_t utcSeconds() const = 0;
};

}  // namespace lh::platform

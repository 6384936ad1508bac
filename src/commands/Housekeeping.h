#pragma once

#include <cstdint>
#include <vector>

#include "reminders/SnoozeList.h"

namespace lh::commands {

// The housekeeping timer's memory (it ticks every kHousekeepingTickSeconds).
struct Housekeeping {
    // Seconds since the start, counted 0, 10, ... 60, then kept at 70.
    int startCounter = 0;
    // Seconds since the last automatic save.
    int saveCounter = 0;
    reminders::SnoozeList snoozes;

    struct Tick {
        bool startUpdateCheck = false;             // 70 seconds after the start, once
        std::vector<reminders::Announcement> due;  // put-off alarms to show again, in order
        bool save = false;                         // save the database now
    };
    // One tick at the instant `nowUtc`: the start-up count, the put-off alarms that are due
    // (they leave the list), and the automatic save, whose count runs even when `autoSave` is
    // off.
    Tick tick(std::int64_t nowUtc, int autoSaveSeconds, bool autoSave);
};

}  // namespace lh::commands

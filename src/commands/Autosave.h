#pragma once

namespace lh::commands {

// Seconds between two ticks of the main window's housekeeping timer.
inline constexpr int kHousekeepingTickSeconds = 10;

// Where the autosave count stands after one housekeeping tick.
struct AutosaveStep {
    int counter = 0;    // seconds counted since the last autosave
    bool save = false;  // true: write the database to its file now

    bool operator==(const AutosaveStep&) const = default;
};

// One housekeeping tick: `counter` grows by kHousekeepingTickSeconds; once it exceeds
// `intervalSeconds` it starts again at 0 and the database is saved when `enabled`. The count
// must exceed the interval, so a 1020 s interval saves every 1030 s.
AutosaveStep autosaveTick(int counter, int intervalSeconds, bool enabled);

}  // namespace lh::commands

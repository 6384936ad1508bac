#pragma once

#include <cstdint>
#include <vector>

#include "reminders/Announcement.h"

namespace lh::reminders {

// An alarm put off with "Remind me later": shown again at the instant `dueUtc` (seconds since
// 1970 UTC), so that neither a suspend nor a clock change delays it.
struct SnoozeEntry {
    Announcement announcement;
    std::int64_t dueUtc = 0;

    bool operator==(const SnoozeEntry&) const = default;
};

// The put-off alarms, in the order they were put off.
class SnoozeList {
public:
    // Puts `announcement` off for `seconds` from the instant `nowUtc`.
    void add(const Announcement& announcement, int seconds, std::int64_t nowUtc);
    // Puts back an entry kept from an earlier run.
    void restore(SnoozeEntry entry) { m_entries.push_back(std::move(entry)); }
    // Takes out the entries due at `nowUtc` and returns what they show, in list order.
    std::vector<Announcement> takeDue(std::int64_t nowUtc);
    const std::vector<SnoozeEntry>& entries() const { return m_entries; }

private:
    std::vector<SnoozeEntry> m_entries;
};

}  // namespace lh::reminders

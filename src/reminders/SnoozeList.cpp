#include "reminders/SnoozeList.h"

#include <algorithm>

namespace lh::reminders {

void SnoozeList::add(const Announcement& announcement, int seconds, std::int64_t nowUtc) {
    m_entries.push_back({announcement, nowUtc + seconds});
}

std::vector<Announcement> SnoozeList::takeDue(std::int64_t nowUtc) {
    const auto firstLater =
        std::stable_partition(m_entries.begin(), m_entries.end(),
                              [nowUtc](const SnoozeEntry& e) { return e.dueUtc <= nowUtc; });
    std::vector<Announcement> due;
    for (auto it = m_entries.begin(); it != firstLater; ++it) {
        due.push_back(std::move(it->announcement));
    }
    m_entries.erase(m_entries.begin(), firstLater);
    return due;
}

}  // namespace lh::reminders

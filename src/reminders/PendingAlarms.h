#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reminders/SnoozeList.h"

namespace lh::reminders {

// The alarms still to show when the program ends: the put-off ones, and the open ones nobody
// answered (kept as due at once). Kept as text between runs, one entry a line: due instant,
// rate, missed minute, title, comment, category, sound, separated by tabs, with backslash,
// tab and line breaks escaped.
std::string encodePendingAlarms(const std::vector<SnoozeEntry>& entries);
// The entries of `text`; lines that do not read are skipped.
std::vector<SnoozeEntry> decodePendingAlarms(std::string_view text);

}  // namespace lh::reminders

#pragma once

#include "commands/RemindEditor.h"

namespace lh::platform {
struct LocalTime;
}
namespace lh::settings {
struct AppSettings;
}
namespace lh::store {
class ItemRecord;
}

namespace lh::commands {

// What the Remind dialog shows when it opens for a new item: the default time RmdHour:RmdMinute
// on today's date, or tomorrow's when that minute is not later than `now`; the type and days of
// RmdCheck (bit 0 clear: once; set: no type chosen); the default rate, category (RmdNormal1, to
// preselect) and sound.
RemindValues newRemindForm(const settings::AppSettings& settings, const platform::LocalTime& now);

// What it shows for Remind item `item`: its texts, rate, category, type and days, and its time on
// today's date with the item's month and day (a one-time reminder in its own year of the current
// century). Month and day are kept as stored, 02-29 included.
RemindValues editRemindForm(const store::ItemRecord& item, const platform::LocalTime& now);

// True for a leap year of the Gregorian calendar.
bool isLeapYear(int year);

}  // namespace lh::commands

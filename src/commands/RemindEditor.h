#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "commands/CategoryCommands.h"
#include "commands/Prompter.h"
#include "store/Kinds.h"

namespace lh::platform {
class Clock;
}
namespace lh::settings {
struct AppSettings;
}
namespace lh::store {
class Database;
}

namespace lh::commands {

// Texts the Remind dialog shows.
inline constexpr std::string_view kInputRemindTitleMessage = "Please input Remind title.";
inline constexpr std::string_view kHourRangeMessage = "Please enter an hour between 0 and 23";
inline constexpr std::string_view kMinuteRangeMessage = "Please enter an minute between 0 and 59";
inline constexpr std::string_view kPassedTimeQuestion =
    "This time has passed; the reminder will not ring. Save anyway?";

// RmdCheck, the default type and days: bit 0 set for a type other than once, bits 1 to 7 the
// days Monday to Sunday (the schedule's flag bit 0x20 << n).
inline constexpr std::uint16_t kDefaultNotOnceBit = 0x01;
inline constexpr std::uint16_t kDefaultDaysMask = 0xFE;
inline constexpr int kDefaultDaysShift = 5;

enum class RemindType { Once, Yearly, CustomDays };

// The values of the Remind dialog as the user left them.
struct RemindValues {
    std::string title;
    // The date picker (full year). A yearly reminder uses only month and day.
    int year = 2000;
    int month = 1;
    int day = 1;
    // The hour and minute edits as typed.
    std::string hour;
    std::string minute;
    // The checked type button; none counts as custom days.
    std::optional<RemindType> type;
    // The flag bits (Monday 0x40 .. Sunday 0x1000) of the checked weekday boxes.
    std::uint32_t weekdays = 0;
    std::string memo;
    std::string sound;
    std::uint8_t rate = 1;
    std::optional<store::CategoryId> category;

    bool operator==(const RemindValues&) const = default;
};

// The control a refusal concerns, for the dialog to focus.
enum class RemindInput { None, Title, Hour, Minute };

// The number a typed text starts with, read as C's atoi does: leading white space, an optional
// sign, then digits up to the first other character ("abc" and "" are 0, "12x" is 12). Values
// beyond the int range saturate instead of overflowing.
int readLeadingNumber(std::string_view typed);

// What OK and "Save as default" of the Remind dialog do: check the values, say what is wrong
// through the prompter, and change the Database (or the settings) only when everything holds.
class RemindEditor {
public:
    RemindEditor(store::Database& db, Prompter& prompter, const platform::Clock& clock);

    // A new Remind item. A one-time reminder rings only when it is at least a minute ahead; an
    // earlier time is saved only when the user says so.
    DialogOutcome add(const RemindValues& values);
    // Changes Remind item `id`. Its reminder entry is refiled only when the type or its key
    // changes (a one-time reminder then rings when it is not before the current minute).
    DialogOutcome edit(store::ItemId id, const RemindValues& values);
    // "Save as default": the time, the type and days, the category (when one is chosen) and
    // `pictureRate`. False (nothing saved) when the hour or minute is refused.
    bool saveDefaults(settings::AppSettings& settings, const RemindValues& values,
                      std::uint8_t pictureRate);

    // The control the last refusal concerns (None when there is none to focus).
    RemindInput refusedInput() const { return m_refused; }

private:
    struct Time {
        int hour;
        int minute;
    };
    // The checked hour and minute, or nothing (user told) when one is out of range.
    std::optional<Time> checkTime(const RemindValues& values);
    // The title without leading blanks and the time, or nothing when one is refused.
    bool checkValues(const RemindValues& values, std::string_view& title, Time& time);
    // True when the user keeps a one-time reminder that will not ring; false keeps the dialog.
    bool confirmPassedTime();

    store::Database& m_db;
    Prompter& m_prompter;
    const platform::Clock& m_clock;
    RemindInput m_refused = RemindInput::None;
};

}  // namespace lh::commands

#pragma once

#include <vector>

#include "commands/Housekeeping.h"
#include "reminders/Announcement.h"
#include "reminders/ReminderCheck.h"

namespace lh::platform {
class Clock;
}
namespace lh::settings {
struct AppSettings;
class SettingsStore;
}  // namespace lh::settings
namespace lh::store {
class Database;
}

namespace lh::commands {

// The reminder work of the main window's two timers, without the window: which reminders are
// due, which put-off alarms come back, when to save, and what is kept between runs (the last
// checked minute, and the alarms still to show). The window only shows what it is handed.
class ReminderTimers {
public:
    struct Services {
        store::Database& db;
        settings::AppSettings& settings;
        settings::SettingsStore& store;
        const platform::Clock& clock;
    };

    // Takes the last checked minute from the settings and tells the database, so that the
    // start-up load keeps the one-time reminders that passed while the program was closed.
    // Must come before that load.
    explicit ReminderTimers(Services services);

    // The alarms kept from the last run that are due now; the later ones wait in the snooze
    // list. Once, at the start.
    std::vector<reminders::Announcement> restorePending();
    // The reminder timer's tick: the reminders due since the last check, in order. The last
    // checked minute is stored at once when it moves.
    std::vector<reminders::Announcement> reminderTick();
    // The housekeeping timer's tick, with the automatic save's settings.
    Housekeeping::Tick housekeepingTick();
    // "Remind me later": `announcement` comes back after `seconds`.
    void snooze(const reminders::Announcement& announcement, int seconds);
    // The program or the session ends: the put-off alarms and the `unanswered` open ones (due
    // at once) are stored for the next run. They stay in the list too, in case the session end
    // is cancelled.
    void keepForNextRun(const std::vector<reminders::Announcement>& unanswered);

private:
    Services m_s;
    reminders::ReminderCheck m_check;
    Housekeeping m_housekeeping;
};

}  // namespace lh::commands

#include "commands/ReminderTimers.h"

#include "platform/Clock.h"
#include "reminders/CivilTime.h"
#include "reminders/PendingAlarms.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace lh::commands {

ReminderTimers::ReminderTimers(Services services)
    : m_s(services),
      m_check(reminders::parseMinute(services.settings.RmdLastCheck), services.clock.now()) {
    m_s.db.setOnceReminderHorizon(m_check.lastChecked());
}

std::vector<reminders::Announcement> ReminderTimers::restorePending() {
    for (reminders::SnoozeEntry& entry :
         reminders::decodePendingAlarms(m_s.store.readPendingAlarms())) {
        m_housekeeping.snoozes.restore(std::move(entry));
    }
    return m_housekeeping.snoozes.takeDue(m_s.clock.utcSeconds());
}

std::vector<reminders::Announcement> ReminderTimers::reminderTick() {
    reminders::ReminderCheck::Tick tick = m_check.tick(m_s.db, m_s.clock.now());
    if (tick.advanced) {
        m_s.settings.RmdLastCheck = reminders::formatMinute(m_check.lastChecked());
        m_s.store.writeRemindLastCheck(m_s.settings);
    }
    std::vector<reminders::Announcement> due;
    for (reminders::DueReminder& d : tick.due) {
        due.push_back(std::move(d.announcement));
    }
    return due;
}

Housekeeping::Tick ReminderTimers::housekeepingTick() {
    return m_housekeeping.tick(m_s.clock.utcSeconds(), m_s.settings.AutoSaveTime,
                               m_s.settings.GeneralCheck.autoSave());
}

void ReminderTimers::snooze(const reminders::Announcement& announcement, int seconds) {
    m_housekeeping.snoozes.add(announcement, seconds, m_s.clock.utcSeconds());
}

void ReminderTimers::keepForNextRun(const std::vector<reminders::Announcement>& unanswered) {
    for (const reminders::Announcement& a : unanswered) {
        snooze(a, 0);
    }
    m_s.store.writePendingAlarms(reminders::encodePendingAlarms(m_housekeeping.snoozes.entries()));
}

}  // namespace lh::commands

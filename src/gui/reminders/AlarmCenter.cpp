#include "gui/reminders/AlarmCenter.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "gui/reminders/AlarmWindow.h"
#include "gui/reminders/SoundPlayer.h"
#include "gui/reminders/WindowInputBlock.h"

namespace lh::gui {

AlarmCenter::AlarmCenter(QWidget& mainWindow, QObject* parent)
    : AlarmCenter(mainWindow, std::make_unique<EffectSoundPlayer>(), parent) {}

AlarmCenter::AlarmCenter(QWidget& mainWindow, std::unique_ptr<SoundPlayer> player, QObject* parent)
    : QObject(parent),
      m_mainWindow(mainWindow),
      m_player(std::move(player)),
      m_block(std::make_unique<WindowInputBlock>(mainWindow)) {
    // A click on the blocked window brings forward what it waits for.
    m_block->setOnRefused([this] { raiseAll(); });
}

AlarmCenter::~AlarmCenter() {
    closeAll();
}

void AlarmCenter::announce(const reminders::Announcement& announcement) {
    // Without a parent: a window-modal dialog over the main window blocks the main window's
    // child windows too, and an alarm must stay answerable under one.
    auto* alarm = new AlarmWindow(announcement);
    alarm->setAttribute(Qt::WA_DeleteOnClose);
    alarm->setAttribute(Qt::WA_QuitOnClose, false);  // answering the last window ends nothing
    connect(alarm, &AlarmWindow::remindLater, this,
            [this, alarm](int seconds) { emit snoozeRequested(alarm->announcement(), seconds); });
    connect(alarm, &QDialog::finished, this, [this, alarm] { closed(alarm); });
    m_alarms.push_back(alarm);
    m_block->setOn(true);
    place(*alarm);
    alarm->show();
    alarm->raise();
    alarm->activateWindow();
    // Only the newest alarm sounds; an application-modal question may still hold it back from
    // input, but it is heard at once.
    m_player->loop(announcement.sound);
}

int AlarmCenter::openCount() const {
    return static_cast<int>(m_alarms.size());
}

std::vector<reminders::Announcement> AlarmCenter::closeAll() {
    std::vector<reminders::Announcement> unanswered;
    if (m_alarms.empty()) {
        return unanswered;
    }
    m_player->stop();
    for (AlarmWindow* alarm : m_alarms) {
        unanswered.push_back(alarm->announcement());
        disconnect(alarm, nullptr, this, nullptr);
        delete alarm;
    }
    m_alarms.clear();
    m_block->setOn(false);
    return unanswered;
}

void AlarmCenter::place(AlarmWindow& alarm) const {
    alarm.adjustSize();
    QRect frame = alarm.frameGeometry();
    const bool shown = m_mainWindow.isVisible() && !m_mainWindow.isMinimized();
    frame.moveCenter(shown ? m_mainWindow.frameGeometry().center()
                           : m_mainWindow.screen()->availableGeometry().center());
    alarm.move(frame.topLeft());
}

void AlarmCenter::closed(AlarmWindow* alarm) {
    const auto at = std::find(m_alarms.begin(), m_alarms.end(), alarm);
    if (at == m_alarms.end()) {
        return;
    }
    const bool wasSounding = at + 1 == m_alarms.end();
    m_alarms.erase(at);
    if (wasSounding) {
        m_player->stop();
        if (!m_alarms.empty()) {
            m_player->loop(m_alarms.back()->announcement().sound);
        }
    }
    if (m_alarms.empty()) {
        m_block->setOn(false);
        emit allClosed();
    }
}

void AlarmCenter::raiseAll() const {
    for (AlarmWindow* alarm : m_alarms) {
        alarm->raise();
    }
    if (!m_alarms.empty()) {
        m_alarms.back()->activateWindow();
    }
}

}  // namespace lh::gui

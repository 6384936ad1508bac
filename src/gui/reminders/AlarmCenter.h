#pragma once

#include <QObject>

#include <memory>
#include <vector>

#include "reminders/Announcement.h"

class QWidget;

namespace lh::gui {

class AlarmWindow;
class SoundPlayer;
class WindowInputBlock;

// The open alarm windows. Each announcement opens its own window (title, stars, comment,
// category, "Remind me later" or "Acknowledge") and loops its sound; only the newest open
// alarm's sound plays. While any alarm is open the main window's contents take no input, but
// every alarm and dialog stays answerable; alarms are raised above the window and count as modal
// while open.
class AlarmCenter : public QObject {
    Q_OBJECT

public:
    // Alarms open centred over `mainWindow`, whose contents they block while open.
    explicit AlarmCenter(QWidget& mainWindow, QObject* parent = nullptr);
    // As above, sounding through `player` (tests hand in one that records).
    AlarmCenter(QWidget& mainWindow, std::unique_ptr<SoundPlayer> player,
                QObject* parent = nullptr);
    ~AlarmCenter() override;

    // Opens an alarm window for `announcement`.
    void announce(const reminders::Announcement& announcement);
    int openCount() const;
    // Closes every open alarm without an answer (the program is ending) and returns what they
    // showed, oldest first, so that they can be shown again at the next start. Emits nothing.
    std::vector<reminders::Announcement> closeAll();

signals:
    // "Remind me later": show `announcement` again in `seconds` (300 or 600).
    void snoozeRequested(const lh::reminders::Announcement& announcement, int seconds);
    // The last open alarm closed.
    void allClosed();

private:
    void place(AlarmWindow& alarm) const;
    void closed(AlarmWindow* alarm);
    void raiseAll() const;

    QWidget& m_mainWindow;
    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<WindowInputBlock> m_block;
    std::vector<AlarmWindow*> m_alarms;  // oldest first; each deletes itself when answered
};

}  // namespace lh::gui

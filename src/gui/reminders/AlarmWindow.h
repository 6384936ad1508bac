#pragma once

#include <QDialog>

#include "reminders/Announcement.h"

class QRadioButton;

namespace lh::gui {

// One alarm: titled with the reminder's title, it shows the stars, the comment, the category and,
// when the reminder is announced late, when it was due. "Acknowledge" or the close box ends it;
// "Remind me later" asks for it again 5 or 10 minutes later, then ends it. Modeless; it keeps its
// own copy of what it shows.
class AlarmWindow : public QDialog {
    Q_OBJECT

public:
    explicit AlarmWindow(reminders::Announcement announcement, QWidget* parent = nullptr);

    const reminders::Announcement& announcement() const { return m_announcement; }
    // 300 while "5 minutes later" is checked, 600 for "10 minutes later".
    int snoozeSeconds() const;

signals:
    // "Remind me later" was pressed; the window closes right after.
    void remindLater(int seconds);

private:
    void setupUi();
    QWidget* makeSnoozeGroup();
    void remindMeLater();

    reminders::Announcement m_announcement;
    QRadioButton* m_fiveMinutes = nullptr;
    QRadioButton* m_tenMinutes = nullptr;
};

}  // namespace lh::gui

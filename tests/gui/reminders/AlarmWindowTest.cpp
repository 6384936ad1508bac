#include "gui/reminders/AlarmWindow.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(AlarmWindowTest, ShowsTheReminderAndWhenItWasMissed) {
    reminders::Announcement a;
    a.title = "Dentist";
    a.comment = "Bring the card";
    a.missedAt = platform::LocalTime{2026, 12, 6, 18, 30, 0, 0};
    AlarmWindow alarm(a);
    EXPECT_EQ(alarm.findChild<QPlainTextEdit*>()->toPlainText(), "Bring the card");
    EXPECT_EQ(alarm.findChild<QLabel*>("missedLabel")->text(), "Missed: 2026-12-06 18:30");
    EXPECT_EQ(alarm.snoozeSeconds(), 300);  // the other choice is AlarmCenterTest's

    a.missedAt.reset();  // on time: no mark
    AlarmWindow onTime(a);
    EXPECT_EQ(onTime.findChild<QLabel*>("missedLabel"), nullptr);
}

}  // namespace
}  // namespace lh::gui

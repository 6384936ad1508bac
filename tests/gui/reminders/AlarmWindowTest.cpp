#include "gui/reminders/AlarmWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "gui/uikit/RateGroup.h"

namespace lh::gui {
namespace {

TEST(AlarmWindowTest, ShowsTheReminderAndWhenItWasMissed) {
    reminders::Announcement a;
    a.title = "Dentist";
    a.comment = "Bring the card";
    a.category = "Health";
    a.rate = 4;
    a.missedAt = platform::LocalTime{2026, 12, 6, 18, 30, 0, 0};
    AlarmWindow alarm(a);
    EXPECT_EQ(alarm.windowTitle(), "Dentist");
    EXPECT_EQ(alarm.findChild<RatePicture*>("ratePicture")->rate(), 4);
    auto* comment = alarm.findChild<QPlainTextEdit*>("remindEventPlainTextEdit");
    EXPECT_EQ(comment->toPlainText(), "Bring the card");
    EXPECT_TRUE(comment->isReadOnly());
    EXPECT_EQ(alarm.findChild<QLabel*>("categoryCaptionLabel")->text(), "Categoray:");
    EXPECT_EQ(alarm.findChild<QLabel*>("categoryLabel")->text(), "Health");
    EXPECT_EQ(alarm.findChild<QLabel*>("missedLabel")->text(), "Missed: 2026-12-06 18:30");
    EXPECT_EQ(alarm.findChild<QGroupBox*>("remindAfterGroupBox")->title(),
              "Remind me after ? minute");
    EXPECT_TRUE(alarm.findChild<QRadioButton*>("fiveMinutesRadioButton")->isChecked());
    EXPECT_EQ(alarm.snoozeSeconds(), 300);
    alarm.findChild<QRadioButton*>("tenMinutesRadioButton")->setChecked(true);
    EXPECT_EQ(alarm.snoozeSeconds(), 600);

    a.missedAt.reset();  // on time: no mark
    AlarmWindow onTime(a);
    EXPECT_EQ(onTime.findChild<QLabel*>("missedLabel"), nullptr);
}

}  // namespace
}  // namespace lh::gui

#include "gui/items/RemindDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/RateGroup.h"
#include "store/RemindKey.h"

namespace lh::gui {
namespace {

using commands::RemindType;
using commands::RemindValues;

class RemindDialogTest : public ::testing::Test {
protected:
    RemindDialogTest() { dialog.setValues(values, 4); }

    template <typename T>
    T* control(const char* name) const {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    QDateEdit* date() const { return control<QDateEdit>("dateEdit"); }
    // Which of the seven weekday boxes are enabled, Monday first.
    std::vector<bool> daysEnabled() const {
        std::vector<bool> enabled;
        for (QCheckBox* box : control<QGroupBox>("remindTypeGroup")->findChildren<QCheckBox*>()) {
            enabled.push_back(box->isEnabled());
        }
        return enabled;
    }

    RemindValues values{"Call",
                        2026,
                        3,
                        4,
                        "7",
                        "30",
                        RemindType::Once,
                        store::kScheduleMonday | store::kScheduleSunday,
                        "memo",
                        "/s/a.wav",
                        2,
                        3};
    RemindDialog dialog{{{{3, "Rem", 0, 0x60}, {7, "Sub", 1, 0x60}}, 0}};
};

TEST_F(RemindDialogTest, ShowsItsControlsAndHandsTheirValuesToOk) {
    EXPECT_EQ(control<QRadioButton>("onceRadioButton")->text(), "Remind One Times");
    EXPECT_EQ(control<QRadioButton>("yearlyRadioButton")->text(), "Every year");
    EXPECT_EQ(control<QRadioButton>("customDayRadioButton")->text(), "Remind Custom Day");
    std::vector<QString> dayTexts;
    for (QCheckBox* box : control<QGroupBox>("remindTypeGroup")->findChildren<QCheckBox*>()) {
        dayTexts.push_back(box->text());
    }
    EXPECT_EQ(dayTexts,
              (std::vector<QString>{"Mon", "Tues.", "Wed.", "Thurs.", "Fri", "Sat.", "Sun."}));
    EXPECT_EQ(control<RatePicture>("ratePicture")->rate(), 4);

    // Hour and minute take any text; their buttons step the number it starts with in range.
    control<QLineEdit>("hourLineEdit")->setText("abc");
    control<QToolButton>("hourUpButton")->click();
    control<QLineEdit>("minuteLineEdit")->setText("99999999999");
    control<QToolButton>("minuteUpButton")->click();
    control<QCheckBox>("wednesdayCheckBox")->setChecked(true);
    auto* combo = control<CategoryComboBox>("categoryComboBox");
    combo->setCurrentIndex(combo->lineOf(7));
    RemindValues expected = values;
    expected.hour = "1";
    expected.minute = "59";
    expected.weekdays |= store::kScheduleWednesday;
    expected.category = 7;
    std::vector<RemindValues> seen;
    dialog.setAcceptHandler([&](RemindDialog& d) {
        seen.push_back(d.values());
        return commands::DialogOutcome::KeepOpen;
    });
    dialog.show();
    control<QPushButton>("okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(seen, std::vector<RemindValues>{expected});
}

TEST_F(RemindDialogTest, TypeButtonsSetTheFormatAndEnableThePickerOrTheDays) {
    EXPECT_EQ(date()->displayFormat(), "yyyy-MM-dd");
    EXPECT_TRUE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, false));

    control<QRadioButton>("customDayRadioButton")->click();
    EXPECT_FALSE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, true));
    EXPECT_EQ(dialog.values().type, RemindType::CustomDays);

    control<QRadioButton>("yearlyRadioButton")->click();
    EXPECT_EQ(date()->displayFormat(), "MM-dd");
    EXPECT_TRUE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, false));

    // No type checked is taken as custom days.
    values.type.reset();
    dialog.setValues(values, 1);
    EXPECT_EQ(dialog.values().type, std::nullopt);
    EXPECT_FALSE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, true));
}

TEST_F(RemindDialogTest, YearlyLeapDayCanBePickedInAnyYear) {
    values.type = RemindType::Yearly;
    values.month = 2;
    values.day = 29;
    dialog.setValues(values, 1);
    EXPECT_EQ(date()->text(), "02-29");
    EXPECT_EQ(dialog.values(), values);  // the year stays the one given

    // Back to once in a year without 02-29: the last day of February.
    control<QRadioButton>("onceRadioButton")->click();
    EXPECT_EQ(date()->text(), "2026-02-28");
    control<QRadioButton>("yearlyRadioButton")->click();
    date()->setDate(QDate(2028, 2, 29));
    EXPECT_EQ(std::make_tuple(dialog.values().year, dialog.values().month, dialog.values().day),
              std::make_tuple(2026, 2, 29));
}

TEST_F(RemindDialogTest, CompactButtonHidesTheScheduleAndShrinksTheDialog) {
    dialog.show();
    const int fullHeight = dialog.height();
    auto* group = control<QGroupBox>("remindTypeGroup");
    control<QToolButton>("compactButton")->click();
    EXPECT_TRUE(dialog.isCompact());
    EXPECT_FALSE(group->isVisible());
    EXPECT_LT(dialog.height(), fullHeight - group->sizeHint().height() / 2);
    control<QToolButton>("compactButton")->click();
    EXPECT_TRUE(group->isVisible());
    EXPECT_EQ(dialog.height(), fullHeight);
}

}  // namespace
}  // namespace lh::gui

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

constexpr std::uint32_t kMonSun = store::kScheduleMonday | store::kScheduleSunday;

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

    RemindValues values{"Call",           2026,    3,   4,        "7", "30",
                        RemindType::Once, kMonSun, "m", "/a.wav", 2,   3};
    RemindDialog dialog{{{{3, "Rem", 0, 0x60}, {7, "Sub", 1, 0x60}}, 0}};
};

TEST_F(RemindDialogTest, OkHandsOnTheTypedValuesWithHourAndMinuteSteppedInRange) {
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

TEST_F(RemindDialogTest, TypeButtonsEnableThePickerOrTheDaysAndKeepALeapDay) {
    EXPECT_TRUE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, false));
    control<QRadioButton>("customDayRadioButton")->click();
    EXPECT_FALSE(date()->isEnabled());
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, true));
    EXPECT_EQ(dialog.values().type, RemindType::CustomDays);

    // No type checked is taken as custom days.
    values.type.reset();
    dialog.setValues(values, 1);
    EXPECT_EQ(dialog.values().type, std::nullopt);
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, true));

    // 02-29 every year can be picked in any year; back to once it is the last day of February.
    values.type = RemindType::Yearly;
    values.month = 2;
    values.day = 29;
    dialog.setValues(values, 1);
    EXPECT_EQ(date()->text(), "02-29");
    EXPECT_EQ(daysEnabled(), std::vector<bool>(7, false));
    EXPECT_EQ(dialog.values(), values);  // the year stays the one given
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
    EXPECT_EQ(dialog.height(), fullHeight);
}

}  // namespace
}  // namespace lh::gui

#include "gui/items/StepLineEdit.h"

#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(StepLineEditTest, StepsTheTypedNumberWithinItsRangeAndTakesAnyText) {
    StepLineEdit hour(QStringLiteral("hour"), 0, 23);
    auto* up = hour.findChild<QToolButton*>(QStringLiteral("hourUpButton"));
    auto* down = hour.findChild<QToolButton*>(QStringLiteral("hourDownButton"));
    ASSERT_NE(hour.findChild<QLineEdit*>(QStringLiteral("hourLineEdit")), nullptr);

    hour.setText(QStringLiteral("99"));  // no clamping while typed: OK refuses it
    EXPECT_EQ(hour.text(), "99");
    down->click();
    EXPECT_EQ(hour.text(), "23");
    up->click();
    EXPECT_EQ(hour.text(), "23");
    hour.setText(QStringLiteral("7pm"));
    up->click();
    EXPECT_EQ(hour.text(), "8");
    hour.setText(QStringLiteral("99999999999"));
    up->click();
    EXPECT_EQ(hour.text(), "23");
    hour.setText(QStringLiteral("-99999999999"));
    up->click();
    EXPECT_EQ(hour.text(), "0");
    down->click();
    EXPECT_EQ(hour.text(), "0");
}

}  // namespace
}  // namespace lh::gui

#include "gui/shell/ColumnsDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

using Kind = settings::ColumnLayout::Kind;

// The rules are ColumnsFormTest's; this checks that the list and the buttons drive them.
TEST(ColumnsDialogTest, TheListAndButtonsEditACopyThatOkHandsOn) {
    const settings::ColumnLayout original = settings::ColumnLayout::defaults(Kind::Url);
    ColumnsDialog dialog(original);
    auto* list = dialog.findChild<QListWidget*>("columnList");
    auto* width = dialog.findChild<QLineEdit*>("widthLineEdit");
    const auto click = [&](const char* name) { dialog.findChild<QPushButton*>(name)->click(); };
    ASSERT_EQ(list->count(), 6);
    EXPECT_FALSE(list->item(0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(list->item(1)->flags() & Qt::ItemIsUserCheckable);

    list->setCurrentRow(3);  // URL
    EXPECT_EQ(width->text(), "110");
    width->setText("300");
    click("hideButton");
    EXPECT_EQ(list->item(3)->checkState(), Qt::Unchecked);
    click("moveUpButton");
    EXPECT_EQ(list->item(2)->text(), "URL");
    EXPECT_EQ(list->currentRow(), 2);
    list->item(4)->setCheckState(Qt::Unchecked);  // Comment, ticked off in the list itself
    list->setCurrentRow(1);
    EXPECT_EQ(dialog.findChild<QPushButton*>("moveUpButton")->isEnabled(), false);

    settings::ColumnLayout edited = dialog.layout();
    EXPECT_EQ(edited.entries[3].width, 300);
    EXPECT_EQ(edited.entries[3].visible, 0);
    EXPECT_EQ(edited.entries[4].visible, 0);
    EXPECT_EQ(edited.order[2], 3);
    click("defaultButton");
    EXPECT_EQ(dialog.layout(), original);
}

}  // namespace
}  // namespace lh::gui

#include "gui/tree/NewCategoryDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "commands/ParentChooser.h"
#include "gui/uikit/CategoryComboBox.h"
#include "store/Database.h"

namespace lh::gui {
namespace {

TEST(NewCategoryDialogTest, ListsTheChooserIndentedWithIcons) {
    store::Database db;
    db.createDefault();
    const auto choice = commands::buildParentChoice(db, 0x10, std::nullopt);
    ASSERT_TRUE(choice);
    NewCategoryDialog dialog(NewCategoryDialog::Mode::Create, *choice);
    auto* combo = dialog.findChild<CategoryComboBox*>("parentCategoryComboBox");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 8);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(combo->itemText(0), "Webfavorite");
    EXPECT_EQ(combo->itemText(3), "Technology");
    EXPECT_FALSE(combo->itemIcon(0).isNull());

    EXPECT_EQ(combo->itemData(2, CategoryComboBox::kLevelRole), 3);
    EXPECT_EQ(combo->itemData(2, CategoryComboBox::kIdRole), 7);

    // What OK does is the handler's answer.
    int asked = 0;
    commands::DialogOutcome answer = commands::DialogOutcome::KeepOpen;
    dialog.setAcceptHandler([&](const NewCategoryDialog& d) {
        ++asked;
        EXPECT_EQ(d.selectedParentId(), 7);
        EXPECT_EQ(d.name(), "\xC3\xA9t\xC3\xA9");
        return answer;
    });
    dialog.show();
    dialog.findChild<QLineEdit*>("nameLineEdit")->setText(QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    answer = commands::DialogOutcome::Close;
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(asked, 2);

    // Moving shows the moved category's name and memo, neither to be edited.
    NewCategoryDialog move(NewCategoryDialog::Mode::Move, *choice);
    move.showMovedCategory("BBS", "memo");
    EXPECT_FALSE(move.findChild<QLineEdit*>("nameLineEdit")->isEnabled());
    EXPECT_EQ(move.findChild<QLineEdit*>("nameLineEdit")->text(), "BBS");
    EXPECT_FALSE(move.findChild<QWidget*>("memoPlainTextEdit")->isEnabled());
}

}  // namespace
}  // namespace lh::gui

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include "commands/ParentChooser.h"
#include "gui/tree/CategoryPropertiesDialog.h"
#include "gui/tree/NewCategoryDialog.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/CategoryIcons.h"
#include "store/Database.h"

namespace lh::gui {
namespace {

QStringList labels(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    texts.sort();
    return texts;
}

TEST(CategoryDialogsTest, NewCategoryDialogListsTheChooserIndentedWithIcons) {
    store::Database db;
    db.createDefault();
    const auto choice = commands::buildParentChoice(db, 0x10, std::nullopt);
    ASSERT_TRUE(choice);
    NewCategoryDialog dialog(NewCategoryDialog::Mode::Create, *choice);
    EXPECT_EQ(labels(dialog), (QStringList{"Below", "Category Name", "Memo"}));
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
}

TEST(CategoryDialogsTest, ComboLinesCarryTheirIdsAndLevels) {
    CategoryComboBox combo;
    combo.addCategory(1, "One", 1, categoryIcon(1, store::kClassUrl));
    combo.addCategory(40000, "Far", 2, categoryIcon(40000, store::kClassFile));
    EXPECT_EQ(combo.lineOf(40000), 1);
    EXPECT_EQ(combo.lineOf(2), -1);
    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.selectedCategoryId(), 40000);
    combo.setCurrentIndex(-1);
    EXPECT_FALSE(combo.selectedCategoryId());

    // Lines of the open list are indented by 9 pixels per level (level + 1).
    combo.addCategory(2, "Same", 1, categoryIcon(1, store::kClassUrl));
    combo.addCategory(3, "Same", 4, categoryIcon(1, store::kClassUrl));
    QAbstractItemDelegate* delegate = combo.view()->itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(combo.view());
    const int shallow = delegate->sizeHint(option, combo.model()->index(2, 0)).width();
    const int deep = delegate->sizeHint(option, combo.model()->index(3, 0)).width();
    EXPECT_EQ(deep - shallow, 3 * CategoryComboBox::kIndentPerLevel);
}

TEST(CategoryDialogsTest, PropertiesDialogLimitsItsInputs) {
    CategoryPropertiesDialog dialog(5, "Name", "Memo", {12, 345});
    EXPECT_EQ(labels(dialog),
              (QStringList{"Category  Name", "Comment", "Sub Category", "Total Items"}));
    auto* name = dialog.findChild<QLineEdit*>("nameLineEdit");
    EXPECT_TRUE(name->isEnabled());
    EXPECT_EQ(name->maxLength(), 1200);
    auto* comment = dialog.findChild<QPlainTextEdit*>("commentPlainTextEdit");
    EXPECT_EQ(comment->toPlainText(), "Memo");
    comment->setPlainText(QString(3500, 'c'));
    EXPECT_EQ(comment->toPlainText().size(), 3000);
    // A character outside the basic plane is never split at the limit.
    comment->setPlainText(QString(2999, 'c') + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail");
    EXPECT_EQ(comment->toPlainText().size(), 2999);
    auto* subCategories = dialog.findChild<QLineEdit*>("subCategoryLineEdit");
    EXPECT_EQ(subCategories->text(), "        12");
    EXPECT_TRUE(subCategories->isReadOnly());
    EXPECT_TRUE(subCategories->alignment() & Qt::AlignRight);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("totalItemsLineEdit")->text(), "       345");

    CategoryPropertiesDialog fixed(2, "Recycle", "", {});
    EXPECT_FALSE(fixed.findChild<QLineEdit*>("nameLineEdit")->isEnabled());
}

}  // namespace
}  // namespace lh::gui

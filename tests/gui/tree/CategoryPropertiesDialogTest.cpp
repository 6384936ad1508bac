#include "gui/tree/CategoryPropertiesDialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(CategoryPropertiesDialogTest, LimitsItsInputs) {
    CategoryPropertiesDialog dialog(5, "Name", "Memo", {12, 345});
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

#include "gui/tree/CategoryPropertiesDialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(CategoryPropertiesDialogTest, LimitsItsInputs) {
    CategoryPropertiesDialog dialog(5, "Name", "Memo", {12, 345});
    EXPECT_EQ(dialog.findChild<QLineEdit*>("nameLineEdit")->maxLength(), 1200);
    auto* comment = dialog.findChild<QPlainTextEdit*>("commentPlainTextEdit");
    EXPECT_EQ(comment->toPlainText(), "Memo");
    comment->setPlainText(QString(3500, 'c'));
    EXPECT_EQ(comment->toPlainText().size(), 3000);
    // A character outside the basic plane is never split at the limit.
    comment->setPlainText(QString(2999, 'c') + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail");
    EXPECT_EQ(comment->toPlainText().size(), 2999);

    CategoryPropertiesDialog fixed(2, "Recycle", "", {});  // a fixed category keeps its name
    EXPECT_FALSE(fixed.findChild<QLineEdit*>("nameLineEdit")->isEnabled());
}

}  // namespace
}  // namespace lh::gui

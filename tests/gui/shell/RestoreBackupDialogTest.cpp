#include "gui/shell/RestoreBackupDialog.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(RestoreBackupDialogTest, ListsTheRowsInTheGivenOrderAndGivesTheSelectedOneOnlyOnOk) {
    RestoreBackupDialog dialog({{"Default.lbak4", "02/15/2007 09:30:00", "/home/a/"},
                                {"Default.lbak1", "02/16/2007 10:00:00", "/home/a/"}});
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("backupTreeWidget"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Default.lbak4"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("02/15/2007 09:30:00"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("/home/a/"));

    dialog.accept();
    EXPECT_FALSE(dialog.chosenPath());  // OK with nothing selected
    list->setCurrentItem(list->topLevelItem(1));
    dialog.accept();
    EXPECT_EQ(dialog.chosenPath(), "/home/a/Default.lbak1");
    dialog.reject();
    EXPECT_FALSE(dialog.chosenPath());
}

}  // namespace
}  // namespace lh::gui

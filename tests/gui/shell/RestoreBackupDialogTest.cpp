#include "gui/shell/RestoreBackupDialog.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

const std::vector<store::BackupRow> kRows = {{"Default.lbak4", "02/15/2007 09:30:00", "/home/a/"},
                                             {"Default.lbak1", "02/16/2007 10:00:00", "/home/a/"}};

QTreeWidget* listOf(RestoreBackupDialog& dialog) {
    return dialog.findChild<QTreeWidget*>(QStringLiteral("backupTreeWidget"));
}

TEST(RestoreBackupDialogTest, ListsTheRowsInTheGivenOrder) {
    RestoreBackupDialog dialog(kRows);
    QTreeWidget* list = listOf(dialog);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Default.lbak4"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("02/15/2007 09:30:00"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("/home/a/"));
}

TEST(RestoreBackupDialogTest, GivesTheSelectedBackupOnlyOnOk) {
    RestoreBackupDialog dialog(kRows);
    dialog.accept();
    EXPECT_FALSE(dialog.chosenPath());  // OK with nothing selected

    listOf(dialog)->setCurrentItem(listOf(dialog)->topLevelItem(1));
    dialog.accept();
    EXPECT_EQ(dialog.chosenPath(), "/home/a/Default.lbak1");
    dialog.reject();
    EXPECT_FALSE(dialog.chosenPath());
}

}  // namespace
}  // namespace lh::gui

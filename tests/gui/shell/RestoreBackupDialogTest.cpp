#include "gui/shell/RestoreBackupDialog.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

// The row's texts, column by column, joined by '|'.
std::string rowTexts(const QTreeWidget& list, int row) {
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column) {
        texts << list.topLevelItem(row)->text(column);
    }
    return texts.join(QLatin1Char('|')).toStdString();
}

TEST(RestoreBackupDialogTest, ListsTheRowsInTheGivenOrderAndGivesTheSelectedOneOnlyOnOk) {
    RestoreBackupDialog dialog(
        {{"Default.lbak4", "02/15/2007 09:30:00", "/home/a/", {}, false, 1536, 12},
         {"Default.lbak1", "02/16/2007 10:00:00", "/home/a/", {}, false, 900, std::nullopt}});
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("backupTreeWidget"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(rowTexts(*list, 0), "Default.lbak4|02/15/2007 09:30:00|/home/a/|1.5 kB|12");
    EXPECT_EQ(rowTexts(*list, 1), "Default.lbak1|02/16/2007 10:00:00|/home/a/|900 bytes|damaged");

    dialog.accept();
    EXPECT_FALSE(dialog.chosenPath());  // OK with nothing selected (none marked newest)
    list->setCurrentItem(list->topLevelItem(1));
    dialog.accept();
    EXPECT_EQ(dialog.chosenPath(), "/home/a/Default.lbak1");
    dialog.reject();
    EXPECT_FALSE(dialog.chosenPath());
}

TEST(RestoreBackupDialogTest, OkRestoresTheNewestEvenWhenItIsNotOnTop) {
    // After the slots wrap: slot 1 was written last, and is listed last.
    RestoreBackupDialog dialog({{"my.lbak4", "12/04/2026 09:30:00", "/d/"},
                                {"my.lbak3", "12/03/2026 09:30:00", "/d/"},
                                {"my.lbak2", "12/02/2026 09:30:00", "/d/"},
                                {"my.lbak1", "12/05/2026 09:30:00", "/d/", {}, true}});
    dialog.show();
    dialog.accept();
    EXPECT_EQ(dialog.chosenPath(), "/d/my.lbak1");
}

}  // namespace
}  // namespace lh::gui

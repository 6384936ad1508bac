#include "gui/shell/OptionsDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/uikit/ColourButton.h"
#include "settings/AppSettings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

// What each page applies is OptionsFormTest's; these check that the dialog reads its controls,
// refuses to leave a bad page and applies at the right moments.
class OptionsDialogTest : public ::testing::Test {
protected:
    template <typename T>
    T* find(const char* name) {
        return dialog.findChild<T*>(name);
    }
    settings::AppSettings settings;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    OptionsDialog dialog{settings, prompter, files};
};

TEST_F(OptionsDialogTest, ABadIntervalKeepsTheGeneralPageAndOkOpenUntilItIsMended) {
    dialog.show();
    find<QCheckBox>("autoSaveCheckBox")->setChecked(true);
    EXPECT_TRUE(find<QLineEdit>("minutesLineEdit")->isEnabled());
    for (const char* bad : {"1", "1081", "abc"}) {
        find<QLineEdit>("minutesLineEdit")->setText(bad);
        dialog.pages()->setCurrentIndex(OptionsDialog::Graph);
        EXPECT_EQ(dialog.pages()->currentIndex(), OptionsDialog::General) << bad;
        EXPECT_EQ(prompter.shown.back().text, "Please enter an integer between 2 and 1080 ");
        find<QPushButton>("okButton")->click();
        EXPECT_TRUE(dialog.isVisible()) << bad;
    }
    find<QCheckBox>("sizeInBytesCheckBox")->toggle();
    find<QLineEdit>("minutesLineEdit")->setText("30");
    const bool bytes = find<QCheckBox>("sizeInBytesCheckBox")->isChecked();
    dialog.pages()->setCurrentIndex(OptionsDialog::Other);
    EXPECT_EQ(dialog.pages()->currentIndex(), OptionsDialog::Other);
    EXPECT_EQ(settings.AutoSaveTime, 30 * 60);
    EXPECT_EQ(settings.GeneralCheck.sizeInBytes(), bytes);
    // Back on General, OK applies what it shows.
    dialog.pages()->setCurrentIndex(OptionsDialog::General);
    find<QLineEdit>("browserLineEdit")->setText("  firefox  ");
    find<QPushButton>("okButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.Defbrowser, "firefox");
}

TEST_F(OptionsDialogTest, ResetsApplyAtOnceAndLeavingGraphGivesTheLinesTheDetailBackground) {
    QSignalSpy detailChanged(&dialog, &OptionsDialog::detailColoursChanged);
    settings.OddBK = 0x111111;
    settings.DetailBK = 0x222222;
    dialog.show();
    dialog.pages()->setCurrentIndex(OptionsDialog::Graph);
    find<ColourButton>("hourHandButton")->setColour(0x010203);
    find<QCheckBox>("transparentCheckBox")->setChecked(true);
    dialog.pages()->setCurrentIndex(OptionsDialog::Other);
    EXPECT_EQ(settings.HourColor, 0x010203u);
    EXPECT_EQ(settings.Flag & 1, 1);
    EXPECT_EQ(detailChanged.count(), 1);
    dialog.pages()->setCurrentIndex(OptionsDialog::Graph);
    find<QPushButton>("detailResetButton")->click();
    EXPECT_EQ(detailChanged.count(), 2);
    EXPECT_EQ(find<ColourButton>("oddLineButton")->colour(), 0x6600FFu);
    find<QPushButton>("cancelButton")->click();
    EXPECT_EQ(settings.OddText, 0x6600FFu);  // Cancel takes nothing back
    EXPECT_EQ(settings.OddBK, 0xC0C0C0u);
    EXPECT_EQ(settings.HourColor, 0x010203u);
}

TEST_F(OptionsDialogTest, OtherEntriesApplyOnClickOrKeyAndFoldersDoNothing) {
    dialog.show();
    dialog.pages()->setCurrentIndex(OptionsDialog::Other);
    auto* tree = find<QTreeWidget>("otherTree");
    const auto entry = [&](const char* text) {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    };
    const settings::AppSettings before = settings;
    emit tree->itemClicked(entry("Url Management Category"), 0);
    EXPECT_EQ(settings, before);
    emit tree->itemClicked(entry("Comment"), 0);
    EXPECT_EQ(settings.OtherFlag.urlDoubleClick(), 1);
    tree->setCurrentItem(entry("Minimize main windows on click X"));
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_NE(settings.OtherFlag.minimizeOnClose(), before.OtherFlag.minimizeOnClose());
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_EQ(settings.OtherFlag.minimizeOnClose(), before.OtherFlag.minimizeOnClose());
}

TEST_F(OptionsDialogTest, TheBrowserButtonTakesAnExecutableAndQuotesItsPathWhenNeeded) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("my apps"));
    const std::string program = dir.file("my apps/browser");
    const std::string text = dir.file("notes.txt");
    for (const std::string& path : {program, text}) {
        test::writeBytes(path, "#!/bin/sh\n");
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    auto* browser = find<QLineEdit>("browserLineEdit");
    browser->setText("kept");
    files.answers = {text, std::nullopt, program};
    for (int i = 0; i < 3; ++i) {
        find<QPushButton>("browseButton")->click();
        if (i < 2) {
            EXPECT_EQ(browser->text(), "kept");
        }
    }
    EXPECT_EQ(prompter.shown.size(), 1u);  // the text file is no program
    EXPECT_EQ(browser->text().toStdString(), "\"" + program + "\" ");
}

}  // namespace
}  // namespace lh::gui

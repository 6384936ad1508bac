#include "gui/uikit/TabMovesFocus.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "commands/ParentChooser.h"
#include "gui/items/CommentDialog.h"
#include "gui/items/ItemDialogParts.h"
#include "gui/reminders/AlarmWindow.h"
#include "gui/tree/CategoryPropertiesDialog.h"
#include "gui/tree/NewCategoryDialog.h"

namespace lh::gui {
namespace {

TEST(TabMovesFocusTest, TabLeavesTheFieldCtrlTabTypesATab) {
    QWidget window;
    auto* memo = new QPlainTextEdit(&window);
    auto* next = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(memo);
    layout->addWidget(next);
    makeTabMoveFocus(*memo);
    // A window shortcut on Ctrl+Tab does not take the key from the field.
    QAction windowCtrlTab(&window);
    windowCtrlTab.setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Tab));
    window.addAction(&windowCtrlTab);
    QSignalSpy triggered(&windowCtrlTab, &QAction::triggered);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    memo->setFocus();
    memo->setPlainText("ab");
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), "\tab");
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_TRUE(memo->hasFocus());
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(memo->toPlainText(), "\tab");
    QTest::keyClick(window.windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(memo->hasFocus());

    // A read-only field types nothing.
    memo->setReadOnly(true);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), "\tab");
}

TEST(TabMovesFocusTest, EveryCommentAndMemoFieldLetsTabMoveOn) {
    std::vector<std::unique_ptr<QWidget>> owners;
    owners.push_back(std::make_unique<CommentDialog>("comment"));
    owners.push_back(std::make_unique<CategoryPropertiesDialog>(5, "Name", "Memo",
                                                                commands::SubtreeCounts{1, 2}));
    owners.push_back(std::make_unique<NewCategoryDialog>(NewCategoryDialog::Mode::Create,
                                                         commands::ParentChoice{}));
    owners.push_back(std::make_unique<AlarmWindow>(
        reminders::Announcement{"Dentist", "at 9", "BBS", "", 3, std::nullopt}));
    owners.push_back(std::make_unique<QWidget>());
    makeMemoEdit(owners.back().get());  // the memo of the link, file and reminder dialogs
    for (const auto& owner : owners) {
        const auto fields = owner->findChildren<QPlainTextEdit*>();
        ASSERT_EQ(fields.size(), 1) << owner->metaObject()->className();
        EXPECT_TRUE(fields[0]->tabChangesFocus()) << owner->metaObject()->className();
    }
}

}  // namespace
}  // namespace lh::gui

#include "gui/tree/CategoryActions.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "gui/shell/ActionRegistry.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/uikit/CategoryComboBox.h"
#include "store/Database.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

// The enabled-state tables are the commands' own (CategoryMenusTest); these check that the
// actions reach the pane and follow the clicked or selected category.
class CategoryActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        pane.resize(300, 600);
        pane.show();
        view()->expandAll();
    }
    void TearDown() override {
        view()->contextMenu()->hide();
        if (QDialog* dialog = pane.openDialog()) {
            dialog->reject();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CategoryTreeView* view() { return pane.treeView(); }
    QPoint centreOf(std::uint16_t id) {
        const QModelIndex index = pane.treeModel()->indexOf(id);
        view()->scrollTo(index);
        return view()->visualRect(index).center();
    }
    bool enabled(CommandId id) { return actions.action(id)->isEnabled(); }
    // Closes the context menu; gives the category it was opened for.
    int closeMenu() {
        EXPECT_TRUE(view()->contextMenu()->isVisible());
        view()->contextMenu()->hide();
        return view()->clickedCategoryId().value_or(-1);
    }
    // What the open dialog is about (its title and parent choice or name); the dialog is closed.
    std::string dialogShown() {
        QDialog* dialog = pane.openDialog();
        if (dialog == nullptr) {
            return "(no dialog)";
        }
        std::string shown = dialog->windowTitle().toStdString() + ": ";
        if (auto* chooser = dialog->findChild<CategoryComboBox*>("parentCategoryComboBox");
            chooser != nullptr && dialog->findChild<QLineEdit*>("nameLineEdit")->isEnabled()) {
            shown += "below " + std::to_string(chooser->selectedCategoryId().value_or(0));
        } else {
            shown += dialog->findChild<QLineEdit*>("nameLineEdit")->text().toStdString();
        }
        dialog->reject();
        return shown;
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    CategoryPane pane{db, prompter};
    ActionRegistry actions;
    CategoryActions categoryActions{actions, pane};
};

TEST_F(CategoryActionsTest, ContextMenuOpensForTheClickedCategoryAndFollowsIt) {
    EXPECT_EQ(view()->contextMenu()->actions(),
              (QList<QAction*>{actions.action(CommandId::TreeNewCategory),
                               actions.action(CommandId::TreeDeleteCategory),
                               actions.action(CommandId::TreeMoveCategory),
                               actions.action(CommandId::TreeCategoryProperties)}));
    for (const std::uint16_t id : {2, 6}) {
        // A real right click: press, then the context-menu event. The selection stays.
        QTest::mousePress(view()->viewport(), Qt::RightButton, Qt::NoModifier, centreOf(id));
        QContextMenuEvent event(QContextMenuEvent::Mouse, centreOf(id),
                                view()->viewport()->mapToGlobal(centreOf(id)));
        QApplication::sendEvent(view()->viewport(), &event);
        EXPECT_EQ(enabled(CommandId::TreeDeleteCategory), id == 6) << id;
        EXPECT_EQ(closeMenu(), id);
        EXPECT_EQ(pane.currentCategoryId(), 1);
    }

    // From the keyboard: the menu key and Shift+F10 open it for the selected category.
    ASSERT_TRUE(pane.selectCategory(4));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(view(), &key);
    EXPECT_EQ(closeMenu(), 4);
    ASSERT_TRUE(pane.selectCategory(2));
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(closeMenu(), 2);

    // Nothing under the mouse: no menu, no clicked category.
    EXPECT_FALSE(view()->openContextMenuAt(QPoint(5, view()->viewport()->height() - 2)));
    EXPECT_FALSE(view()->clickedCategoryId());
}

TEST_F(CategoryActionsTest, MainMenuCommandsFollowTheCurrentCategory) {
    EXPECT_FALSE(enabled(CommandId::DeleteCategory));  // "Webfavorite" is current after the load
    ASSERT_TRUE(pane.selectCategory(4));
    EXPECT_TRUE(enabled(CommandId::DeleteCategory));
    db.clear();  // nothing selected
    EXPECT_FALSE(enabled(CommandId::DeleteCategory));
    EXPECT_TRUE(enabled(CommandId::CategoryProperties));
}

TEST_F(CategoryActionsTest, EachCommandReachesItsCategory) {
    // The main menu's commands act on the selected category, the tree's on the clicked one.
    ASSERT_TRUE(pane.selectCategory(5));
    ASSERT_TRUE(view()->openContextMenuAt(centreOf(6)));
    view()->contextMenu()->hide();
    const std::pair<CommandId, std::string> dialogs[] = {
        {CommandId::NewCategory, "Create new category: below 7"},  // the chooser's third line
        {CommandId::TreeNewCategory, "Create new category: below 6"},
        {CommandId::MoveCategory, "Move to ......: Download Site"},
        {CommandId::TreeMoveCategory, "Move to ......: Technology"},
        {CommandId::CategoryProperties, "Properties: Download Site"},
        {CommandId::TreeCategoryProperties, "Properties: Technology"},
    };
    for (const auto& [command, shown] : dialogs) {
        actions.action(command)->trigger();
        EXPECT_EQ(dialogShown(), shown);
    }

    prompter.answers = {commands::Prompter::Answer::Ok, commands::Prompter::Answer::Ok};
    actions.action(CommandId::DeleteCategory)->trigger();
    EXPECT_EQ(db.findCategory(5), nullptr);
    EXPECT_NE(db.findCategory(6), nullptr);
    actions.action(CommandId::TreeDeleteCategory)->trigger();
    EXPECT_EQ(db.findCategory(6), nullptr);
    EXPECT_EQ(prompter.shown.size(), 2u);
}

}  // namespace
}  // namespace lh::gui

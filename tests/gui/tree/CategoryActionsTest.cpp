#include "gui/tree/CategoryActions.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "commands/CategoryMenus.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "store/Database.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

using commands::CategoryMenuState;

constexpr CategoryMenuState kAll{true, true, true, true};
constexpr CategoryMenuState kPropertiesOnly{false, false, false, true};
constexpr CategoryMenuState kNewAndProperties{true, false, false, true};

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
    // The enabled state of four commands of the registry.
    CategoryMenuState shown(CommandId newCategory, CommandId remove, CommandId move,
                            CommandId properties) {
        return {actions.action(newCategory)->isEnabled(), actions.action(remove)->isEnabled(),
                actions.action(move)->isEnabled(), actions.action(properties)->isEnabled()};
    }
    CategoryMenuState contextMenuShown() {
        return shown(CommandId::TreeNewCategory, CommandId::TreeDeleteCategory,
                     CommandId::TreeMoveCategory, CommandId::TreeCategoryProperties);
    }
    // The name in the open category dialog, which is then closed.
    QString dialogName() {
        QDialog* dialog = pane.openDialog();
        if (dialog == nullptr) {
            return QStringLiteral("(no dialog)");
        }
        const QString name = dialog->findChild<QLineEdit*>("nameLineEdit")->text();
        dialog->reject();
        return name;
    }
    CategoryMenuState mainMenuShown() {
        return shown(CommandId::NewCategory, CommandId::DeleteCategory, CommandId::MoveCategory,
                     CommandId::CategoryProperties);
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    CategoryPane pane{db, prompter};
    ActionRegistry actions;
    CategoryActions categoryActions{actions, pane};
};

TEST_F(CategoryActionsTest, ContextMenuHoldsTheTreeCommandsEnabledForTheClickedCategory) {
    const QList<QAction*> entries = view()->contextMenu()->actions();
    EXPECT_EQ(entries, (QList<QAction*>{actions.action(CommandId::TreeNewCategory),
                                        actions.action(CommandId::TreeDeleteCategory),
                                        actions.action(CommandId::TreeMoveCategory),
                                        actions.action(CommandId::TreeCategoryProperties)}));
    QStringList texts;
    for (QAction* action : entries) {
        texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"New Category", "Delete", "Move to", "Properties"}));

    const std::vector<std::pair<std::uint16_t, CategoryMenuState>> cases = {
        {1, kNewAndProperties}, {2, kPropertiesOnly}, {4, kAll}};
    for (const auto& [id, expected] : cases) {
        // A real right click: press, then the context-menu event. The selection stays.
        QTest::mousePress(view()->viewport(), Qt::RightButton, Qt::NoModifier, centreOf(id));
        QContextMenuEvent event(QContextMenuEvent::Mouse, centreOf(id),
                                view()->viewport()->mapToGlobal(centreOf(id)));
        QApplication::sendEvent(view()->viewport(), &event);
        EXPECT_TRUE(view()->contextMenu()->isVisible());
        EXPECT_EQ(view()->clickedCategoryId(), id);
        EXPECT_EQ(contextMenuShown(), expected) << "clicked id " << id;
        view()->contextMenu()->hide();
        EXPECT_EQ(pane.currentCategoryId(), 1) << "right click on " << id;
    }

    // From the keyboard: the menu key and Shift+F10 open it for the selected category.
    ASSERT_TRUE(pane.selectCategory(4));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(view(), &key);
    EXPECT_TRUE(view()->contextMenu()->isVisible());
    EXPECT_EQ(view()->clickedCategoryId(), 4);
    view()->contextMenu()->hide();
    ASSERT_TRUE(pane.selectCategory(2));
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(view()->contextMenu()->isVisible());
    EXPECT_EQ(view()->clickedCategoryId(), 2);
    EXPECT_EQ(contextMenuShown(), kPropertiesOnly);
    view()->contextMenu()->hide();

    // Nothing under the mouse: no menu, no clicked category.
    EXPECT_FALSE(view()->openContextMenuAt(QPoint(5, view()->viewport()->height() - 2)));
    EXPECT_FALSE(view()->clickedCategoryId());
}

TEST_F(CategoryActionsTest, MainMenuCommandsFollowTheCurrentCategory) {
    EXPECT_EQ(mainMenuShown(), kNewAndProperties);  // "Webfavorite" is current after the load
    ASSERT_TRUE(pane.selectCategory(4));
    EXPECT_EQ(mainMenuShown(), kAll);
    ASSERT_TRUE(pane.selectCategory(2));
    EXPECT_EQ(mainMenuShown(), kPropertiesOnly);
    db.clear();
    EXPECT_EQ(mainMenuShown(), kPropertiesOnly);  // nothing selected

    // Set by hand, it comes back to the rule when asked (as the Category menu opens).
    db.createDefault();
    ASSERT_TRUE(pane.selectCategory(2));
    actions.action(CommandId::DeleteCategory)->setEnabled(true);
    categoryActions.updateMainMenu();
    EXPECT_FALSE(actions.action(CommandId::DeleteCategory)->isEnabled());
}

TEST_F(CategoryActionsTest, EachActionReachesItsCategory) {
    // The main menu's act on the selected category, the context menu's on the clicked one.
    ASSERT_TRUE(pane.selectCategory(4));
    actions.action(CommandId::CategoryProperties)->trigger();
    EXPECT_EQ(dialogName(), "Joke");

    ASSERT_TRUE(view()->openContextMenuAt(centreOf(3)));
    view()->contextMenu()->hide();
    actions.action(CommandId::TreeCategoryProperties)->trigger();
    EXPECT_EQ(dialogName(), "BBS");

    prompter.answers = {commands::Prompter::Answer::Ok};
    actions.action(CommandId::DeleteCategory)->trigger();
    EXPECT_EQ(db.findCategory(4), nullptr);
    EXPECT_NE(db.findCategory(3), nullptr);
}

}  // namespace
}  // namespace lh::gui

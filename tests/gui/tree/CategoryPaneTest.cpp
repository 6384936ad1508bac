#include "gui/tree/CategoryPane.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/items/ItemDrag.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/tree/CategoryActions.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/CategoryIcons.h"
#include "store/Database.h"
#include "store/Kinds.h"
#include "support/DatabaseMirror.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

using Answer = commands::Prompter::Answer;

// The rules and refusal texts are the commands' own (CategoryCommandsTest), the enabled-state
// tables CategoryMenusTest's; these check that the tree shows the Database and follows its
// events, that the menus' actions (CategoryActions, connected as in the window) reach the
// selected or the right-clicked category, and that the dialogs hand their answers on.
class CategoryPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        pane.resize(300, 600);
        pane.show();
    }
    void TearDown() override {
        view()->contextMenu()->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CategoryTreeModel* model() { return pane.treeModel(); }
    CategoryTreeView* view() { return pane.treeView(); }
    QModelIndex indexOf(std::uint16_t id) { return model()->indexOf(id); }
    QStringList childNames(std::uint16_t id) {
        QStringList names;
        const QModelIndex parent = indexOf(id);
        for (int row = 0; row < model()->rowCount(parent); ++row) {
            names << model()->index(row, 0, parent).data().toString();
        }
        return names;
    }
    QPoint centreOf(std::uint16_t id) {
        view()->scrollTo(indexOf(id));
        return view()->visualRect(indexOf(id)).center();
    }
    bool enabled(CommandId id) { return actions.action(id)->isEnabled(); }
    // Closes the context menu; gives the category it was opened for.
    int closeMenu() {
        EXPECT_TRUE(view()->contextMenu()->isVisible());
        view()->contextMenu()->hide();
        return view()->clickedCategoryId().value_or(-1);
    }
    template <typename T>
    T* child(const char* name) {
        QDialog* dialog = pane.openDialog();
        return dialog == nullptr ? nullptr : dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void setName(const char* name) { child<QLineEdit>("nameLineEdit")->setText(name); }
    void clickOk() { child<QPushButton>("okButton")->click(); }
    bool dialogOpen() { return pane.openDialog() != nullptr && pane.openDialog()->isVisible(); }
    void choose(std::uint16_t id) {
        auto* chooser = child<CategoryComboBox>("parentCategoryComboBox");
        chooser->setCurrentIndex(chooser->lineOf(id));
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    CategoryPane pane{db, prompter};
    ActionRegistry actions;
    CategoryActions categoryActions{actions, pane};
    QAbstractItemModelTester tester{pane.treeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(CategoryPaneTest, ContextMenuOpensForTheClickedCategoryAndFollowsIt) {
    view()->expandAll();
    EXPECT_TRUE(
        view()->contextMenu()->actions().contains(actions.action(CommandId::TreeDeleteCategory)));
    // A real right click: press, then the context-menu event. The selection stays.
    QTest::mousePress(view()->viewport(), Qt::RightButton, Qt::NoModifier, centreOf(6));
    QContextMenuEvent event(QContextMenuEvent::Mouse, centreOf(6),
                            view()->viewport()->mapToGlobal(centreOf(6)));
    QApplication::sendEvent(view()->viewport(), &event);
    EXPECT_TRUE(enabled(CommandId::TreeDeleteCategory));
    // While the menu is open, the row it acts on is outlined; the selected one is not.
    const QModelIndex clicked = pane.treeModel()->indexOf(6);
    EXPECT_TRUE(view()->marksAsClicked(clicked));
    EXPECT_FALSE(view()->marksAsClicked(pane.treeModel()->indexOf(1)));
    const QRect row = view()->visualRect(clicked);
    const QImage marked = view()->viewport()->grab(row).toImage();
    EXPECT_EQ(closeMenu(), 6);
    EXPECT_FALSE(view()->marksAsClicked(clicked));
    EXPECT_NE(view()->viewport()->grab(row).toImage(), marked);
    EXPECT_EQ(pane.currentCategoryId(), 1);

    // From the keyboard, Shift+F10 opens it for the selected category.
    ASSERT_TRUE(pane.selectCategory(2));
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(closeMenu(), 2);

    // Nothing under the mouse: no menu, no clicked category.
    EXPECT_FALSE(view()->openContextMenuAt(QPoint(5, view()->viewport()->height() - 2)));
    EXPECT_FALSE(view()->clickedCategoryId());
}

TEST_F(CategoryPaneTest, MainMenuCommandsActOnTheSelectedCategoryTheTreesOnTheClickedOne) {
    ASSERT_TRUE(pane.selectCategory(5));
    ASSERT_TRUE(view()->openContextMenuAt(centreOf(6)));
    closeMenu();
    // Each dialog, with the category it is for: the name, or where a new one goes.
    const std::pair<CommandId, QString> dialogs[] = {
        {CommandId::NewCategory, "Create new category:  below Life"},  // the chooser's third line
        {CommandId::TreeNewCategory, "Create new category:  below Technology"},
        {CommandId::MoveCategory, "Move to ......: Download Site below Life"},
        {CommandId::TreeMoveCategory, "Move to ......: Technology below Life"},
        {CommandId::CategoryProperties, "Properties: Download Site"},
        {CommandId::TreeCategoryProperties, "Properties: Technology"},
    };
    for (const auto& [command, shown] : dialogs) {
        actions.action(command)->trigger();
        ASSERT_TRUE(dialogOpen());
        const auto* chooser = child<CategoryComboBox>("parentCategoryComboBox");
        EXPECT_EQ(pane.openDialog()->windowTitle() + ": " +
                      child<QLineEdit>("nameLineEdit")->text() +
                      (chooser != nullptr ? " below " + chooser->currentText() : QString()),
                  shown);
        pane.openDialog()->reject();
    }

    // Deleting the current category makes the first one below the root current before its
    // rows go; the tree forgets the clicked category.
    std::vector<int> currentWhenRowsGo;
    QObject::connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved,
                     [&] { currentWhenRowsGo.push_back(pane.currentCategoryId()); });
    prompter.answers = {Answer::Ok, Answer::Ok};
    actions.action(CommandId::DeleteCategory)->trigger();
    EXPECT_FALSE(model()->contains(5));
    EXPECT_TRUE(model()->contains(6));
    EXPECT_EQ(currentWhenRowsGo, (std::vector<int>{1}));
    actions.action(CommandId::TreeDeleteCategory)->trigger();
    EXPECT_FALSE(model()->contains(6));
    EXPECT_FALSE(view()->clickedCategoryId());
    EXPECT_EQ(prompter.shown.size(), 2u);

    // Removed by others: the removed category's parent becomes current, the clicked one goes.
    ASSERT_TRUE(pane.selectCategory(7));
    ASSERT_TRUE(view()->openContextMenuAt(centreOf(9)));
    closeMenu();
    db.removeCategory(3, false);
    EXPECT_EQ(currentWhenRowsGo, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(pane.currentCategoryId(), 1);
    EXPECT_FALSE(view()->clickedCategoryId());
    EXPECT_EQ(childNames(1), QStringList{"Joke"});

    // A fixed category is never offered for deletion.
    ASSERT_TRUE(pane.selectCategory(2));
    pane.deleteCategory();
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(CategoryPaneTest, DeleteAndInsertKeysRunTheTreesCommandsOnTheCurrentCategory) {
    view()->expandAll();
    view()->setFocus();
    // The fixed categories stay: 0 to 2 ask nothing, 3 and 4 are asked about as from the tree's
    // menu.
    for (const std::uint16_t fixed : {0, 1, 2, 3, 4}) {
        ASSERT_TRUE(pane.selectCategory(fixed));
        prompter.answers = {Answer::Ok};
        QTest::keyClick(view(), Qt::Key_Delete);
        EXPECT_TRUE(model()->contains(fixed)) << fixed;
    }
    EXPECT_EQ(prompter.shown.size(), 2u);

    // Above 4 (a file category, also asked about its files, as from the tree's menu; what a
    // Cancel keeps is CategoryCommandsTest's): deleted, and a window shortcut on Delete does not
    // take the key from the tree.
    QAction windowDelete(&pane);
    windowDelete.setShortcut(Qt::Key_Delete);
    pane.addAction(&windowDelete);
    QSignalSpy windowDeletes(&windowDelete, &QAction::triggered);
    db.setCategoryClass(7, store::kClassFile);
    ASSERT_TRUE(pane.selectCategory(7));
    pane.activateWindow();
    view()->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    prompter.answers = {Answer::Ok, Answer::No};
    QTest::keyClick(pane.windowHandle(), Qt::Key_Delete);  // as the window system delivers it
    EXPECT_EQ(windowDeletes.count(), 0);
    EXPECT_FALSE(model()->contains(7));
    ASSERT_EQ(prompter.shown.size(), 4u);
    EXPECT_EQ(prompter.shown.back().text, "Also delete file(s)?");

    // Insert opens New Category below the current one; not on the root nor the Recycle.
    ASSERT_TRUE(pane.selectCategory(3));
    QTest::keyClick(view(), Qt::Key_Insert);
    ASSERT_TRUE(dialogOpen());
    EXPECT_EQ(child<CategoryComboBox>("parentCategoryComboBox")->currentText(), "BBS");
    pane.openDialog()->reject();
    for (const std::uint16_t refused : {0, 2}) {
        ASSERT_TRUE(pane.selectCategory(refused));
        QTest::keyClick(view(), Qt::Key_Insert);
        EXPECT_FALSE(dialogOpen()) << refused;
    }
}

TEST_F(CategoryPaneTest, DialogsHandTheirAnswersToTheCommands) {
    // Create: a refusal keeps the dialog open with what was typed.
    ASSERT_TRUE(pane.selectCategory(3));
    pane.newCategory();
    ASSERT_TRUE(dialogOpen());
    EXPECT_TRUE(pane.openDialog()->isModal());
    choose(3);
    setName("Life");
    clickOk();
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(prompter.shown.size(), 1u);
    child<QLineEdit>("nameLineEdit")->setText(QString::fromUtf8("life \xC3\xA9t\xC3\xA9"));
    child<QPlainTextEdit>("memoPlainTextEdit")->setPlainText("notes");
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(childNames(3).last(), QString::fromUtf8("life \xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(db.findCategory(18)->memo(), "notes");
    EXPECT_EQ(pane.currentCategoryId(), 3);
    pane.newCategory();  // Cancel leaves everything alone
    setName("Never");
    child<QPushButton>("cancelButton")->click();
    EXPECT_EQ(db.nextCategoryId(), 19u);

    // Move: the moved category's name and memo are not to be edited; below "Technology" it is
    // still expanded and still current.
    view()->expand(indexOf(3));
    pane.moveCategory();
    EXPECT_FALSE(child<QLineEdit>("nameLineEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>("memoPlainTextEdit")->isEnabled());
    choose(6);
    clickOk();
    EXPECT_EQ(childNames(6), (QStringList{"BBS"}));
    EXPECT_EQ(model()->parent(indexOf(3)), indexOf(6));
    EXPECT_TRUE(view()->isExpanded(indexOf(3)));
    EXPECT_EQ(pane.currentCategoryId(), 3);

    // Properties (F2 on the selected category) show its counts and rename it.
    db.addItem(7, test::link("Example", "http://example.org/"));
    ASSERT_TRUE(pane.selectCategory(6));
    QTest::keyClick(view(), Qt::Key_F2);
    ASSERT_TRUE(dialogOpen());
    EXPECT_EQ(child<QLineEdit>("subCategoryLineEdit")->text(), "         5");
    EXPECT_EQ(child<QLineEdit>("totalItemsLineEdit")->text(), "         1");
    setName("Boards");
    child<QPlainTextEdit>("commentPlainTextEdit")->setPlainText("kept");
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(indexOf(6).data().toString(), "Boards");
    EXPECT_EQ(db.findCategory(6)->memo(), "kept");
}

TEST_F(CategoryPaneTest, ImportedCategoriesAppearKeepingExpansionAndSelection) {
    view()->expand(indexOf(3));
    ASSERT_TRUE(pane.selectCategory(7));
    QSignalSpy current(&pane, &CategoryPane::currentCategoryChanged);
    {
        // An import: one bulk change, in the middle of which the rows are not told.
        const store::Database::BulkChange bulk(db);
        store::CategoryId parent = 4;
        for (int i = 0; i < 3; ++i) {
            parent = db.addCategory(parent, {"Imported " + std::to_string(i), {}, {}, {}})->id();
        }
        db.addCategory(3, {"Second", {}, {}, {}});
        EXPECT_EQ(childNames(4), QStringList{});
    }
    EXPECT_EQ(childNames(4), (QStringList{"Imported 0"}));
    EXPECT_EQ(childNames(19), (QStringList{"Imported 2"}));
    EXPECT_EQ(childNames(3), (QStringList{"Life", "Technology", "Joke", "Second"}));
    EXPECT_TRUE(view()->isExpanded(indexOf(3)));
    EXPECT_EQ(pane.currentCategoryId(), 7);
    EXPECT_EQ(current.count(), 0);
}

TEST_F(CategoryPaneTest, AReloadClosesDialogsAndShowsTheNewTreeExpandedAsStoredWithIcons) {
    QSignalSpy current(&pane, &CategoryPane::currentCategoryChanged);
    pane.selectCategory(5);
    pane.showProperties();
    QPointer<QDialog> dialog = pane.openDialog();
    ASSERT_TRUE(dialog);
    db.clear();
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(pane.currentCategoryId(), -1);
    EXPECT_EQ(pane.openDialog(), nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(enabled(CommandId::DeleteCategory));
    pane.newCategory();  // nothing selected: nothing opens
    EXPECT_EQ(pane.openDialog(), nullptr);

    db.createDefault();
    EXPECT_EQ(pane.currentCategoryId(), 1);
    ASSERT_GE(current.count(), 3);
    EXPECT_EQ(current.at(current.count() - 2).at(0).toInt(), -1);
    EXPECT_EQ(current.last().at(0).toInt(), 1);
    EXPECT_EQ(view()->currentIndex(), indexOf(1));
    ASSERT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(childNames(1), (QStringList{"BBS", "Joke", "Download Site", "Technology"}));
    EXPECT_TRUE(view()->isExpanded(indexOf(0)));
    EXPECT_TRUE(view()->isExpanded(indexOf(1)));
    EXPECT_FALSE(view()->isExpanded(indexOf(3)));

    // Icons by class (Recycle's by its id), and a changed class shows at once.
    QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
    db.setCategoryClass(4, store::kClassFile);
    EXPECT_EQ(changed.count(), 1);
    const auto shown = [&](std::uint16_t id) {
        return indexOf(id).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_EQ(shown(2), categoryIcon(99, 0x30).cacheKey());
    EXPECT_EQ(shown(4), categoryIcon(99, store::kClassFile).cacheKey());
    EXPECT_NE(categoryIcon(99, store::kClassFile).pixmap(16).toImage(),
              categoryIcon(99, store::kClassUrl).pixmap(16).toImage());
}

TEST_F(CategoryPaneTest, DeepTreesAreShownWithoutRecursion) {
    store::CategoryId deepest = 9;
    for (int i = 0; i < 2000; ++i) {
        deepest = db.addCategory(deepest, {"level", {}, {}, {}})->id();
    }
    EXPECT_TRUE(model()->isSameOrBelow(deepest, 3));
    pane.rebuildTree();
    ASSERT_TRUE(pane.selectCategory(deepest));  // opens every category above it
    view()->expand(indexOf(1));
    // A branch about to go is closed first, from its top down, and nothing around it.
    const store::CategoryId inside = model()->childAt(9, 0).value();
    view()->closeBranch(inside);
    EXPECT_TRUE(view()->isExpanded(indexOf(9)));
    EXPECT_FALSE(view()->isExpanded(indexOf(inside)));
    EXPECT_FALSE(view()->isExpanded(indexOf(*model()->parentOf(deepest))));
    db.removeCategory(9, false);
    EXPECT_EQ(pane.currentCategoryId(), 3);
    EXPECT_FALSE(model()->contains(deepest));
    EXPECT_TRUE(view()->isExpanded(indexOf(3)));
    EXPECT_TRUE(view()->isExpanded(indexOf(1)));
}

TEST_F(CategoryPaneTest, TakesDroppedItemRowsOnlyAsAMoveWithinTheClass) {
    view()->expandAll();
    ASSERT_TRUE(pane.selectCategory(3));
    QSignalSpy dropped(&pane, &CategoryPane::itemsDropped);
    // Sends a drag of `mime` to the tree at category `id` and, when it is entered, the drop;
    // gives whether the drop was taken, or nullopt when not even the drag was entered.
    const auto drop = [&](const QMimeData& mime, std::uint16_t id,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) -> std::optional<bool> {
        const QPoint pos = centreOf(id);
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              modifiers);
        QApplication::sendEvent(view()->viewport(), &enter);
        if (!enter.isAccepted()) {
            return std::nullopt;
        }
        QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(view()->viewport(), &move);
        EXPECT_EQ(view()->dropTargetId(), id);
        QDropEvent event(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(view()->viewport(), &event);
        EXPECT_FALSE(view()->dropTargetId());
        return event.isAccepted();
    };

    std::unique_ptr<QMimeData> rows(createItemRowsMimeData({3, {21, 7}}));
    EXPECT_EQ(drop(*rows, 4), true);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toInt(), 4);
    EXPECT_EQ(dropped.at(0).at(1).value<QList<quint32>>(), (QList<quint32>{21, 7}));
    EXPECT_EQ(drop(*rows, 3), false);                       // the source, which is selected
    EXPECT_EQ(drop(*rows, 4, Qt::ControlModifier), false);  // a copy
    EXPECT_EQ(dropped.count(), 1);

    // Anything else is not even entered.
    QMimeData text;
    text.setText("http://example.org/");
    EXPECT_EQ(drop(text, 4), std::nullopt);
}

}  // namespace
}  // namespace lh::gui

#include "gui/tree/CategoryPane.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
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
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

using Answer = commands::Prompter::Answer;
using commands::CategoryMenuState;

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
    QString nameAt(std::uint16_t id) { return indexOf(id).data().toString(); }
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
    // Right-clicks category `id` and chooses `command` in the context menu.
    void contextCommand(std::uint16_t id, CommandId command) {
        ASSERT_TRUE(view()->openContextMenuAt(centreOf(id)));
        QAction* action = actions.action(command);
        ASSERT_TRUE(view()->contextMenu()->actions().contains(action));
        ASSERT_TRUE(action->isEnabled());
        view()->contextMenu()->hide();
        action->trigger();
    }
    template <typename T>
    T* child(const char* name) {
        QDialog* dialog = pane.openDialog();
        return dialog == nullptr ? nullptr : dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void clickOk() { child<QPushButton>("okButton")->click(); }
    bool dialogOpen() { return pane.openDialog() != nullptr && pane.openDialog()->isVisible(); }
    CategoryComboBox* chooser() { return child<CategoryComboBox>("parentCategoryComboBox"); }
    void choose(std::uint16_t id) { chooser()->setCurrentIndex(chooser()->lineOf(id)); }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    CategoryPane pane{db, prompter};
    ActionRegistry actions;
    CategoryActions categoryActions{actions, pane};
    QAbstractItemModelTester tester{pane.treeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(CategoryPaneTest, ShowsTheTreeExpandedAsStoredWithIconsByClass) {
    ASSERT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(nameAt(0), "Linkhaven");
    EXPECT_EQ(childNames(0), (QStringList{"Webfavorite", "Recycle"}));
    EXPECT_EQ(childNames(1), (QStringList{"BBS", "Joke", "Download Site", "Technology"}));
    EXPECT_EQ(childNames(3), (QStringList{"Life", "Technology", "Joke"}));
    EXPECT_TRUE(view()->isExpanded(indexOf(0)));
    EXPECT_TRUE(view()->isExpanded(indexOf(1)));
    EXPECT_FALSE(view()->isExpanded(indexOf(3)));
    EXPECT_EQ(pane.currentCategoryId(), 1);
    EXPECT_EQ(view()->currentIndex(), indexOf(1));
    EXPECT_EQ(indexOf(8).internalId(), 8u);

    // A changed class shows at once.
    QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
    db.setCategoryClass(4, store::kClassFile);
    db.setCategoryClass(5, store::kClassRemind);
    db.setCategoryClass(6, 0x30);
    EXPECT_EQ(changed.count(), 3);
    const auto iconKey = [&](std::uint16_t id) {
        return indexOf(id).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    const qint64 links = categoryIcon(99, store::kClassUrl).cacheKey();
    const qint64 mixed = categoryIcon(99, 0x30).cacheKey();
    EXPECT_EQ(iconKey(0), categoryIcon(store::kRootId, 0x01).cacheKey());
    EXPECT_NE(iconKey(0), links);
    EXPECT_EQ(iconKey(1), links);
    EXPECT_EQ(iconKey(2), mixed);  // Recycle, although its class is the favourites'
    EXPECT_EQ(iconKey(3), links);
    EXPECT_EQ(iconKey(4), categoryIcon(99, store::kClassFile).cacheKey());
    EXPECT_EQ(iconKey(5), categoryIcon(99, store::kClassRemind).cacheKey());
    EXPECT_EQ(iconKey(6), mixed);
    EXPECT_NE(categoryIcon(99, store::kClassFile).pixmap(16).toImage(),
              categoryIcon(99, store::kClassUrl).pixmap(16).toImage());
}

TEST_F(CategoryPaneTest, CreatesThroughTheDialogAndStaysOpenOnARefusal) {
    ASSERT_TRUE(pane.selectCategory(3));
    pane.newCategory();
    ASSERT_TRUE(dialogOpen());
    EXPECT_EQ(pane.openDialog()->windowTitle(), "Create new category");
    EXPECT_TRUE(pane.openDialog()->isModal());
    EXPECT_EQ(chooser()->currentText(), "Life");  // the main menu opens on the third line
    EXPECT_TRUE(child<QLineEdit>("nameLineEdit")->isEnabled());

    // A refusal (the rules are the commands' own) keeps the dialog open with what was typed.
    choose(3);
    child<QLineEdit>("nameLineEdit")->setText("Life");
    clickOk();
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Category name \"Life\" is duplicate."}));
    EXPECT_EQ(child<QLineEdit>("nameLineEdit")->text(), "Life");

    child<QLineEdit>("nameLineEdit")->setText(QString::fromUtf8("life \xC3\xA9t\xC3\xA9"));
    child<QPlainTextEdit>("memoPlainTextEdit")->setPlainText("notes");
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(childNames(3), (QStringList{"Life", "Technology", "Joke",
                                          QString::fromUtf8("life \xC3\xA9t\xC3\xA9")}));
    EXPECT_EQ(db.findCategory(18)->memo(), "notes");
    EXPECT_EQ(pane.currentCategoryId(), 3);

    // The tree's New Category preselects the clicked category.
    contextCommand(4, CommandId::TreeNewCategory);
    ASSERT_TRUE(dialogOpen());
    EXPECT_EQ(chooser()->currentText(), "Joke");
    EXPECT_EQ(chooser()->itemData(chooser()->currentIndex(), CategoryComboBox::kIdRole), 4);
    child<QLineEdit>("nameLineEdit")->setText("Puns");
    clickOk();
    EXPECT_EQ(childNames(4), (QStringList{"Puns"}));
    EXPECT_TRUE(view()->isExpanded(indexOf(1)));

    // Cancel leaves everything alone.
    pane.newCategory();
    child<QLineEdit>("nameLineEdit")->setText("Never");
    child<QPushButton>("cancelButton")->click();
    EXPECT_EQ(db.nextCategoryId(), 20u);
}

TEST_F(CategoryPaneTest, MovesThroughTheDialogKeepingWhatIsExpanded) {
    view()->expand(indexOf(3));
    contextCommand(3, CommandId::TreeMoveCategory);
    ASSERT_TRUE(dialogOpen());
    EXPECT_EQ(pane.openDialog()->windowTitle(), "Move to ......");
    EXPECT_FALSE(child<QLineEdit>("nameLineEdit")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("nameLineEdit")->text(), "BBS");
    EXPECT_FALSE(child<QPlainTextEdit>("memoPlainTextEdit")->isEnabled());

    // Into its own descendant: refused and closed.
    choose(7);
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Can't move Category!"}));
    EXPECT_EQ(childNames(1), (QStringList{"BBS", "Joke", "Download Site", "Technology"}));

    // Onto itself: closed silently.
    pane.selectCategory(3);
    pane.moveCategory();
    choose(3);
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(prompter.shown.size(), 1u);

    // A real move: below "Technology", still expanded, still current.
    pane.moveCategory();
    choose(6);
    clickOk();
    EXPECT_EQ(childNames(1), (QStringList{"Joke", "Download Site", "Technology"}));
    EXPECT_EQ(childNames(6), (QStringList{"BBS"}));
    EXPECT_EQ(model()->parent(indexOf(3)), indexOf(6));
    EXPECT_TRUE(view()->isExpanded(indexOf(3)));
    EXPECT_EQ(pane.currentCategoryId(), 3);

    // The chooser shows it one level below its new parent.
    pane.moveCategory();
    EXPECT_EQ(chooser()->itemData(chooser()->lineOf(3), CategoryComboBox::kLevelRole), 3);
    EXPECT_EQ(chooser()->itemData(chooser()->lineOf(7), CategoryComboBox::kLevelRole), 4);
    choose(6);  // already its parent: "BBS" is a child name there
    clickOk();
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(prompter.texts().back(), "Category name \"BBS\" is duplicate.");
}

TEST_F(CategoryPaneTest, DeletingMovesTheCurrentCategoryBeforeTheRowsGo) {
    std::vector<int> currentWhenRowsGo;
    QObject::connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved,
                     [&] { currentWhenRowsGo.push_back(pane.currentCategoryId()); });

    // The tree's Delete on ids 3 and 4 asks, then does nothing.
    prompter.answers = {Answer::Ok, Answer::Ok};
    contextCommand(3, CommandId::TreeDeleteCategory);
    contextCommand(4, CommandId::TreeDeleteCategory);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Delete Category and it's sub-categories ? ",
                                        "Delete Category and it's sub-categories ? "}));
    EXPECT_TRUE(model()->contains(3));
    EXPECT_TRUE(model()->contains(4));
    EXPECT_FALSE(view()->clickedCategoryId());

    // An ancestor of the current category: the deleted one's parent becomes current first.
    const store::CategoryId outer = db.addCategory(4, {"Outer", {}, {}, {}})->id();
    db.addCategory(outer, {"Inner", {}, {}, {}});
    ASSERT_TRUE(pane.selectCategory(19));
    prompter.answers = {Answer::Ok};
    contextCommand(18, CommandId::TreeDeleteCategory);
    EXPECT_EQ(pane.currentCategoryId(), 4);
    EXPECT_EQ(currentWhenRowsGo, (std::vector<int>{4}));
    EXPECT_FALSE(model()->contains(18));
    EXPECT_FALSE(model()->contains(19));
    EXPECT_EQ(db.findCategory(19), nullptr);

    // The current category itself: the first category below the root becomes current.
    ASSERT_TRUE(pane.selectCategory(8));
    prompter.answers = {Answer::Ok};
    pane.deleteCategory();
    EXPECT_EQ(pane.currentCategoryId(), 1);
    EXPECT_EQ(currentWhenRowsGo, (std::vector<int>{4, 1}));
    EXPECT_EQ(childNames(3), (QStringList{"Life", "Joke"}));

    // The main menu deletes id 3, with what is below it.
    ASSERT_TRUE(pane.selectCategory(3));
    prompter.answers = {Answer::Ok};
    pane.deleteCategory();
    EXPECT_EQ(childNames(1), (QStringList{"Joke", "Download Site", "Technology"}));
    EXPECT_EQ(pane.currentCategoryId(), 1);

    // Cancel keeps it; the fixed categories are never deleted.
    ASSERT_TRUE(pane.selectCategory(5));
    prompter.answers = {Answer::Cancel};
    pane.deleteCategory();
    EXPECT_TRUE(model()->contains(5));
    const std::size_t asked = prompter.shown.size();
    for (std::uint16_t fixed : {0, 1, 2}) {
        ASSERT_TRUE(pane.selectCategory(fixed));
        pane.deleteCategory();
    }
    EXPECT_EQ(prompter.shown.size(), asked);
    EXPECT_EQ(db.categoryCount(), 6u);
}

TEST_F(CategoryPaneTest, PropertiesShowCountsAndRenameFavouritesCategories) {
    db.addItem(7, test::link("Example", "http://example.org/"));

    contextCommand(0, CommandId::TreeCategoryProperties);
    ASSERT_TRUE(dialogOpen());
    EXPECT_FALSE(child<QLineEdit>("nameLineEdit")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("subCategoryLineEdit")->text(), "         9");
    EXPECT_EQ(child<QLineEdit>("totalItemsLineEdit")->text(), "         1");
    child<QPlainTextEdit>("commentPlainTextEdit")->setPlainText("the root");
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(db.root()->memo(), "the root");

    // Recycle keeps its name.
    pane.selectCategory(2);
    pane.showProperties();
    EXPECT_FALSE(child<QLineEdit>("nameLineEdit")->isEnabled());
    clickOk();
    EXPECT_EQ(nameAt(2), "Recycle");

    // F2 opens Properties of the selected category.
    pane.selectCategory(4);
    QTest::keyClick(view(), Qt::Key_F2);
    ASSERT_TRUE(dialogOpen());
    EXPECT_TRUE(child<QLineEdit>("nameLineEdit")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("nameLineEdit")->text(), "Joke");
    EXPECT_EQ(child<QLineEdit>("subCategoryLineEdit")->text(), "         0");
    child<QLineEdit>("nameLineEdit")->setText("  BBS ");
    child<QPlainTextEdit>("commentPlainTextEdit")->setPlainText("kept");
    clickOk();
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Duplicate name"}));
    EXPECT_EQ(db.findCategory(4)->memo(), "kept");
    child<QLineEdit>("nameLineEdit")->setText(" Fun ");
    clickOk();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(nameAt(4), "Fun");

    pane.selectCategory(3);
    pane.showProperties();
    EXPECT_EQ(child<QLineEdit>("subCategoryLineEdit")->text(), "         3");
    EXPECT_EQ(child<QLineEdit>("totalItemsLineEdit")->text(), "         1");
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

    // Moves and removals made by others are followed too.
    ASSERT_TRUE(db.moveCategory(18, 2));
    db.removeCategory(21, false);
    EXPECT_EQ(childNames(2), (QStringList{"Imported 0"}));
    EXPECT_EQ(childNames(4), QStringList{});
    EXPECT_EQ(childNames(3), (QStringList{"Life", "Technology", "Joke"}));
}

TEST_F(CategoryPaneTest, AReloadClosesDialogsAndShowsTheNewTree) {
    QSignalSpy current(&pane, &CategoryPane::currentCategoryChanged);
    pane.selectCategory(5);
    pane.showProperties();
    QPointer<QDialog> dialog = pane.openDialog();
    ASSERT_TRUE(dialog);
    db.clear();
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(pane.currentCategoryId(), -1);
    EXPECT_EQ(pane.currentCategory(), nullptr);
    EXPECT_EQ(pane.openDialog(), nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pane.mainMenuState(), (CategoryMenuState{false, false, false, true}));
    pane.newCategory();  // nothing selected: nothing opens
    EXPECT_EQ(pane.openDialog(), nullptr);

    db.createDefault();
    EXPECT_EQ(pane.currentCategoryId(), 1);
    ASSERT_GE(current.count(), 3);
    EXPECT_EQ(current.at(current.count() - 2).at(0).toInt(), -1);
    EXPECT_EQ(current.last().at(0).toInt(), 1);
    EXPECT_EQ(childNames(1), (QStringList{"BBS", "Joke", "Download Site", "Technology"}));
}

TEST_F(CategoryPaneTest, DeepTreesAreShownWithoutRecursion) {
    store::CategoryId deepest = 9;
    for (int i = 0; i < 2000; ++i) {
        deepest = db.addCategory(deepest, {"level", {}, {}, {}})->id();
    }
    EXPECT_TRUE(model()->contains(deepest));
    EXPECT_TRUE(model()->isSameOrBelow(deepest, 3));
    pane.rebuildTree();
    EXPECT_TRUE(model()->contains(deepest));
    ASSERT_TRUE(pane.selectCategory(deepest));
    prompter.answers = {Answer::Ok};
    contextCommand(9, CommandId::TreeDeleteCategory);
    EXPECT_EQ(pane.currentCategoryId(), 3);
    EXPECT_FALSE(model()->contains(deepest));
    EXPECT_EQ(db.findCategory(deepest), nullptr);
}

// Sends a drag of `mime` to the tree at category `id` and, when it is taken, the drop.
struct DragResult {
    bool enterAccepted = false;
    bool moveAccepted = false;
    bool dropAccepted = false;
};

TEST_F(CategoryPaneTest, TakesDroppedItemRowsOnlyAsAMoveWithinTheClass) {
    view()->expandAll();
    db.setCategoryClass(6, store::kClassFile);
    ASSERT_TRUE(pane.selectCategory(3));
    QSignalSpy dropped(&pane, &CategoryPane::itemsDropped);

    const auto drag = [&](const QMimeData& mime, std::uint16_t id,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        DragResult result;
        const QPointF pos = centreOf(id);
        QDragEnterEvent enter(pos.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              modifiers);
        QApplication::sendEvent(view()->viewport(), &enter);
        result.enterAccepted = enter.isAccepted();
        if (!result.enterAccepted) {
            return result;
        }
        QDragMoveEvent move(pos.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                            modifiers);
        QApplication::sendEvent(view()->viewport(), &move);
        result.moveAccepted = move.isAccepted();
        EXPECT_EQ(view()->dropTargetId(), id);
        QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(view()->viewport(), &drop);
        result.dropAccepted = drop.isAccepted();
        EXPECT_FALSE(view()->dropTargetId());
        return result;
    };

    std::unique_ptr<QMimeData> rows(createItemRowsMimeData({3, {21, 7}}));
    const DragResult onJoke = drag(*rows, 4);
    EXPECT_TRUE(onJoke.enterAccepted);
    EXPECT_TRUE(onJoke.moveAccepted);
    EXPECT_TRUE(onJoke.dropAccepted);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toInt(), 4);
    EXPECT_EQ(dropped.at(0).at(1).value<QList<quint32>>(), (QList<quint32>{21, 7}));

    EXPECT_TRUE(drag(*rows, 2).dropAccepted);   // Recycle takes favourites
    EXPECT_FALSE(drag(*rows, 3).dropAccepted);  // the source itself
    EXPECT_FALSE(drag(*rows, 0).dropAccepted);  // the root
    EXPECT_FALSE(drag(*rows, 6).dropAccepted);  // another class
    const DragResult copy = drag(*rows, 4, Qt::ControlModifier);
    EXPECT_TRUE(copy.enterAccepted);
    EXPECT_FALSE(copy.moveAccepted);
    EXPECT_FALSE(copy.dropAccepted);
    EXPECT_EQ(dropped.count(), 2);

    // Anything else is not even entered.
    QMimeData text;
    text.setText("http://example.org/");
    EXPECT_FALSE(drag(text, 4).enterAccepted);
    QMimeData forged;
    forged.setData(kItemRowsMimeType, QByteArray("\x4C\x48\x49\x52garbage", 11));
    EXPECT_FALSE(drag(forged, 4).enterAccepted);
    EXPECT_EQ(dropped.count(), 2);
}

}  // namespace
}  // namespace lh::gui

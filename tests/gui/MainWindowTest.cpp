#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "gui/shell/ActionRegistry.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "store/Database.h"
#include "store/ObserverList.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { db.setObserver(&observers); }
    store::Database db;
    store::ObserverList observers;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
};

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return texts;
}

TEST_F(MainWindowTest, MenusCarryEveryCommandText) {
    MainWindow window({db, observers, prompter, files});
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "Category(&E)", "&Edit", "Management", "&View", "Tools",
                                   "&Help"}));
    QMenu* file = window.menuBar()->actions().at(0)->menu();
    EXPECT_EQ(menuTexts(file),
              (QStringList{"New Database...  \tCtrl+N", "Open Database ...\tCtrl+O",
                           "Save Database...\tCtrl+S", "Save &As...", "-", "Import IE Favorites",
                           "Import Firefox Bookmark", "Import Favorites From Bookmark file",
                           "Export Bookmark file...", "-", "E&xit"}));
    QMenu* view = window.menuBar()->actions().at(4)->menu();
    EXPECT_EQ(menuTexts(view),
              (QStringList{"Detail", "DropZone", "ToolBar", "Grid", "-", "Columns..."}));
    EXPECT_EQ(menuTexts(view->actions().at(2)->menu()), (QStringList{"Show Text", "Customize"}));
    EXPECT_EQ(window.actions().action(CommandId::NewDatabase)->shortcut(), QKeySequence("Ctrl+N"));
}

TEST_F(MainWindowTest, ShowTextSwitchesButtonSizes) {
    MainWindow window({db, observers, prompter, files});
    MainToolbar& toolbar = window.toolbar();
    const auto button = [&](CommandId id) {
        return qobject_cast<QToolButton*>(toolbar.widgetForAction(window.actions().action(id)));
    };
    auto* add = button(CommandId::AddUrl);
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->size(), QSize(39, 38));
    EXPECT_EQ(add->toolButtonStyle(), Qt::ToolButtonIconOnly);
    window.actions().action(CommandId::ShowText)->trigger();
    add = button(CommandId::AddUrl);
    EXPECT_EQ(add->size(), QSize(66, 54));
    EXPECT_EQ(add->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(add->text(), "Add URL");
    EXPECT_EQ(button(CommandId::MoveUp)->text(), "Up");
    EXPECT_TRUE(window.actions().action(CommandId::ShowText)->isChecked());
}

TEST_F(MainWindowTest, ToolbarKeepsOnlyKnownButtons) {
    MainWindow window({db, observers, prompter, files});
    window.toolbar().setEntries({CommandId::Find, std::nullopt, CommandId(12345), CommandId::Exit});
    EXPECT_EQ(window.toolbar().entries(),
              (std::vector<ToolbarEntry>{CommandId::Find, std::nullopt, CommandId::Exit}));
    EXPECT_EQ(MainToolbar::defaultEntries().size(), 9u);

    ToolbarCustomizeDialog dialog(window.toolbar().entries());
    auto* current = dialog.findChild<QListWidget*>("currentListWidget");
    ASSERT_NE(current, nullptr);
    current->setCurrentRow(0);
    dialog.moveSelected(1);   // Find after the separator
    dialog.removeSelected();  // and gone
    EXPECT_EQ(dialog.entries(), (std::vector<ToolbarEntry>{std::nullopt, CommandId::Exit}));
    dialog.resetToDefault();
    EXPECT_EQ(dialog.entries(), MainToolbar::defaultEntries());
}

TEST_F(MainWindowTest, FavouritesMenuFillsOnDemandAndFollowsTheDatabase) {
    db.createDefault();
    FavouritesMenu menu(db);
    observers.add(&menu);
    std::vector<std::string> opened;
    menu.setOpenUrl([&](const std::string& a) { opened.push_back(a); });
    const auto add = [&](std::uint16_t category, const char* title, const char* address) {
        auto item = std::make_unique<store::ItemRecord>();
        item->categoryId = category;
        item->setTitle(title);
        item->setAddress(address);
        return db.addItem(std::move(item));
    };
    add(1, "Top & more", "http://top/");
    store::ItemRecord* life = add(7, "In Life", "http://life/");
    auto file = std::make_unique<store::ItemRecord>();
    file->categoryId = 7;
    file->flags = store::kKindFile;
    file->setTitle("not a link");
    db.addItem(std::move(file));

    EXPECT_TRUE(menu.actions().isEmpty());  // nothing built before it shows
    menu.fill(menu);
    EXPECT_EQ(menuTexts(&menu),
              (QStringList{"BBS", "Joke", "Download Site", "Technology", "Top && more"}));
    QMenu* bbs = menu.actions().at(0)->menu();
    menu.fill(*bbs);
    EXPECT_EQ(menuTexts(bbs), (QStringList{"Life", "Technology", "Joke"}));
    QMenu* lifeMenu = bbs->actions().at(0)->menu();
    menu.fill(*lifeMenu);
    ASSERT_EQ(menuTexts(lifeMenu), QStringList{"In Life"});
    lifeMenu->actions().at(0)->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{"http://life/"});

    // An entry whose item went away does nothing; the menu is stale after the change.
    QAction* stale = lifeMenu->actions().at(0);
    const std::uint32_t menuId = life->menuId;
    db.deleteItem(*life, false);
    EXPECT_TRUE(menu.actions().isEmpty());
    menu.openEntry(menuId);
    EXPECT_EQ(opened.size(), 1u);
    (void)stale;
    observers.remove(&menu);
}

TEST_F(MainWindowTest, TrayEntriesWaitWhileADialogIsOpen) {
    db.createDefault();
    MainWindow window({db, observers, prompter, files});
    QMenu& tray = window.tray().menu();
    EXPECT_EQ(menuTexts(&tray), (QStringList{"Open/Hide Linkhaven", "-", "Add Url", "-", "DropZone",
                                             "Options...", "About", "Webfavorite", "-", "Exit"}));
    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    emit tray.aboutToShow();
    EXPECT_TRUE(tray.findChild<QAction*>("tray32777")->isEnabled());
    EXPECT_FALSE(tray.findChild<QAction*>("tray57665")->isEnabled());  // Exit waits
    EXPECT_FALSE(window.favourites().menuAction()->isEnabled());
    dialog.close();
    emit tray.aboutToShow();
    EXPECT_TRUE(tray.findChild<QAction*>("tray57665")->isEnabled());
    EXPECT_TRUE(window.favourites().menuAction()->isEnabled());
}

TEST_F(MainWindowTest, CloseBoxMinimisesOnlyWhereATrayExists) {
    MainWindow window({db, observers, prompter, files});
    window.show();
    int closings = 0;
    QObject::connect(&window, &MainWindow::closing, [&] { ++closings; });
    window.setCloseRules({true, true});
    const bool closed = window.close();
    // The offscreen platform has no notification area: the window must not vanish into one.
    EXPECT_EQ(closed, !TrayIcon::available());
    window.show();
    window.exitProgram();
    EXPECT_FALSE(window.isVisible());
    EXPECT_GE(closings, 1);
}

}  // namespace
}  // namespace lh::gui

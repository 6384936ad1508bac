#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include "commands/FileCommands.h"
#include "commands/TimerWork.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "gui/tree/CategoryPane.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/MemorySettingsBackend.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    ShellServices services() { return {db, prompter, files, settings, store}; }

    store::Database db;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    test::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::AppSettings settings;
};

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return texts;
}

TEST_F(MainWindowTest, MenusCarryEveryCommandText) {
    MainWindow window(services());
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "Category(&E)", "&Edit", "Management", "&View", "Tools",
                                   "&Help"}));
    QMenu* file = window.menu(MenuId::File);
    EXPECT_EQ(file, window.menuBar()->actions().at(0)->menu());
    EXPECT_EQ(menuTexts(file),
              (QStringList{"New Database...  \tCtrl+N", "Open Database ...\tCtrl+O",
                           "Save Database...\tCtrl+S", "Save &As...", "-", "Import IE Favorites",
                           "Import Firefox Bookmark", "Import Favorites From Bookmark file",
                           "Export Bookmark file...", "-", "E&xit"}));
    QMenu* view = window.menu(MenuId::View);
    EXPECT_EQ(menuTexts(view),
              (QStringList{"Detail", "DropZone", "ToolBar", "Grid", "-", "Columns..."}));
    EXPECT_EQ(menuTexts(view->actions().at(2)->menu()), (QStringList{"Show Text", "Customize"}));
    EXPECT_EQ(window.actions().action(CommandId::NewDatabase)->shortcut(), QKeySequence("Ctrl+N"));
}

TEST_F(MainWindowTest, ShowTextSwitchesButtonSizes) {
    MainWindow window(services());
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
    MainWindow window(services());
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
    std::vector<std::string> opened;
    menu.setOpenUrl([&](const std::string& a) { opened.push_back(a); });
    db.addItem(1, test::link("Top & more", "http://top/"));
    const store::ItemRecord* life = db.addItem(7, test::link("In Life", "http://life/"));
    db.addItem(7, test::link("not a link", "", store::kKindFile));

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
    const std::uint32_t menuId = life->menuId();
    db.deleteItems(std::vector<store::ItemId>{life->id()}, false);
    EXPECT_TRUE(menu.actions().isEmpty());
    menu.openEntry(menuId);
    EXPECT_EQ(opened.size(), 1u);
    (void)stale;

    // Every kind of change makes it stale: a renamed category, an edited link, bulk work.
    const auto staleAfter = [&](const std::function<void()>& change) {
        menu.fill(menu);
        change();
        return menu.actions().isEmpty();
    };
    EXPECT_TRUE(staleAfter([&] { db.renameCategory(3, "Boards"); }));
    store::ItemEdit edit;
    edit.title = "Top";
    EXPECT_TRUE(staleAfter([&] { db.editItem(db.findMenuItem(0)->id(), edit); }));
    EXPECT_TRUE(staleAfter([&] { ASSERT_TRUE(db.moveCategory(4, 3)); }));
    EXPECT_TRUE(staleAfter([&] { db.createDefault(); }));
}

TEST_F(MainWindowTest, TrayEntriesWaitWhileADialogIsOpen) {
    db.createDefault();
    MainWindow window(services());
    QMenu& tray = window.tray().menu();
    EXPECT_EQ(menuTexts(&tray), (QStringList{"Open/Hide Linkhaven", "-", "Add Url", "-", "DropZone",
                                             "Options...", "About", "Webfavorite", "-", "Exit"}));
    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    emit tray.aboutToShow();
    EXPECT_TRUE(tray.findChild<QAction*>("tray32777")->isEnabled());
    EXPECT_FALSE(tray.findChild<QAction*>("tray57664")->isEnabled());  // About waits
    EXPECT_FALSE(window.favourites().menuAction()->isEnabled());
    dialog.close();
    emit tray.aboutToShow();
    EXPECT_TRUE(tray.findChild<QAction*>("tray57664")->isEnabled());
    EXPECT_TRUE(window.favourites().menuAction()->isEnabled());
}

TEST_F(MainWindowTest, StoredLayoutAndToolbarComeBackAndBadOnesFallBack) {
    {
        MainWindow window(services());
        window.restoreState();
        EXPECT_EQ(window.requestedPaneSizes(), (settings::PaneSizes{147, 400, 442, 180, 505, 200}));
        EXPECT_EQ(window.size(), QSize(590, 400));
    }
    settings::MainLayout layout;
    layout.treePane = settings::PaneRect::parse("0017042000200600");
    layout.detailPane = settings::PaneRect{0, 100, 0, 300};
    settings::WindowPlacement placement;
    placement.left = 30;
    placement.top = 40;
    placement.right = 830;
    placement.bottom = 640;
    placement.showState = settings::WindowPlacement::kShowMinimized;  // comes back shown
    layout.placement = placement;
    store.writeLayout(layout);
    store.writeButtons({{5, int(CommandId::Find), 4, 0, 0, 5},
                        {0, 0, 0, 1, 0, 0},
                        {0, 4711, 4, 0, 0, 0},
                        {9, int(CommandId::Exit), 4, 0, 0, 8}});
    {
        MainWindow window(services());
        window.restoreState();
        const settings::PaneSizes sizes = window.requestedPaneSizes();
        EXPECT_EQ(sizes.treeWidth, 580);
        EXPECT_EQ(sizes.treeHeight, 403);
        EXPECT_EQ(sizes.itemWidth, 800 - 580);
        EXPECT_EQ(sizes.detailHeight, 100);
        EXPECT_EQ(window.geometry(), QRect(30, 40, 800, 600));
        EXPECT_EQ(window.toolbar().entries(),
                  (std::vector<ToolbarEntry>{CommandId::Find, std::nullopt, CommandId::Exit}));
    }
    // A -001 field still reads; a window far off every screen comes back centred.
    backend.keys["Main"]["FormEx"] = std::string("-001042000200600");
    placement.left = 20000;
    placement.right = 20800;
    layout.placement = placement;
    store.writeLayout({std::nullopt, std::nullopt, placement});
    backend.keys["ToolBar"]["Button"] = settings::Bytes(39, 0);  // not whole records
    {
        MainWindow window(services());
        window.restoreState();
        EXPECT_EQ(window.size(), QSize(590, 400));
        EXPECT_EQ(window.toolbar().entries(), MainToolbar::defaultEntries());
    }
}

TEST_F(MainWindowTest, ViewCommandsFollowAndChangeTheFlags) {
    settings.GeneralCheck.setShowDetail(false);
    settings.GeneralCheck.setToolbarText(true);
    MainWindow window(services());
    window.restoreState();
    EXPECT_FALSE(window.actions().action(CommandId::Detail)->isChecked());
    EXPECT_FALSE(window.findChild<QWidget*>("detailPane")->isVisibleTo(&window));
    EXPECT_TRUE(window.toolbar().showText());
    window.actions().action(CommandId::Detail)->trigger();
    EXPECT_TRUE(settings.GeneralCheck.showDetail());
    EXPECT_TRUE(window.findChild<QWidget*>("detailPane")->isVisibleTo(&window));
    const bool dropZone = settings.GeneralCheck.dropZoneShown();
    window.actions().action(CommandId::DropZone)->trigger();
    EXPECT_NE(settings.GeneralCheck.dropZoneShown(), dropZone);
    const bool backup = settings.AutoBackup;
    EXPECT_EQ(settings.AutoBackup, backup);  // the backup has its own switch
    window.actions().action(CommandId::ShowText)->trigger();
    EXPECT_FALSE(settings.GeneralCheck.toolbarText());
}

TEST_F(MainWindowTest, FavouritesMenuFollowsCategoryCommands) {
    MainWindow window(services());
    db.createDefault();  // as at start: the window is there before the database
    auto* pane = window.findChild<CategoryPane*>("categoryPane");
    ASSERT_NE(pane, nullptr);
    FavouritesMenu& favourites = window.favourites();
    favourites.fill(favourites);
    ASSERT_EQ(favourites.actions().size(), 4);  // BBS, Joke, Download Site, Technology

    // Create "News" through the main menu's command and its dialog; the parent chooser
    // preselects its third entry, "Life" (below "BBS").
    ASSERT_TRUE(pane->selectCategory(store::kFavoritesId));
    ASSERT_TRUE(window.actions().action(CommandId::NewCategory)->isEnabled());
    window.actions().action(CommandId::NewCategory)->trigger();
    QDialog* dialog = pane->openDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("nameLineEdit")->setText("News");
    dialog->findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(favourites.actions().isEmpty());  // stale after the change
    favourites.fill(favourites);
    QMenu* bbs = favourites.actions().at(0)->menu();
    favourites.fill(*bbs);
    QMenu* life = bbs->actions().at(0)->menu();
    favourites.fill(*life);
    EXPECT_EQ(menuTexts(life), QStringList{"News"});

    // Delete "Joke" (id 4) through the main menu: the answer to the question is scripted.
    ASSERT_TRUE(pane->selectCategory(4));
    prompter.answers.push_back(commands::Prompter::Answer::Ok);
    ASSERT_TRUE(window.actions().action(CommandId::DeleteCategory)->isEnabled());
    window.actions().action(CommandId::DeleteCategory)->trigger();
    favourites.fill(favourites);
    EXPECT_EQ(menuTexts(&favourites), (QStringList{"BBS", "Download Site", "Technology"}));

    // The Category menu checks its entries again as it opens.
    ASSERT_TRUE(pane->selectCategory(store::kRecycleId));
    window.actions().action(CommandId::DeleteCategory)->setEnabled(true);
    emit window.menu(MenuId::Category)->aboutToShow();
    EXPECT_FALSE(window.actions().action(CommandId::DeleteCategory)->isEnabled());
}

TEST_F(MainWindowTest, ImportFromTheFileMenuReachesTreeFavouritesAndStatusBar) {
    MainWindow window(services());
    db.createDefault();
    auto* pane = window.findChild<CategoryPane*>("categoryPane");
    files.answers.push_back(std::string(LINKHAVEN_TEST_DATA) + "/bookmarks/chrome.html");
    window.actions().action(CommandId::ImportBookmarkFile)->trigger();
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString().rfind("Imported 6 links into ", 0),
              0u)
        << window.statusBar()->currentMessage().toStdString();
    // The new folders are in the tree and, once the menu shows again, in the favourites menu.
    const store::CategoryRecord* bar = db.findCategory(18);  // the first id after the default's
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->name(), "Bookmarks bar");
    EXPECT_TRUE(pane->selectCategory(bar->id()));
    FavouritesMenu& favourites = window.favourites();
    favourites.fill(favourites);
    EXPECT_TRUE(menuTexts(&favourites).contains("Bookmarks bar"));
    EXPECT_TRUE(window.actions().action(CommandId::ImportBookmarkFile)->isEnabled());

    // The export follows the tree's current category.
    test::TempDir dir;
    ASSERT_TRUE(pane->selectCategory(4));  // "Joke", without links
    files.answers.push_back(dir.file("joke.html"));
    window.actions().action(CommandId::ExportBookmarkFile)->trigger();
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString(),
              "Exported 0 links in 1 categories to \"" + dir.file("joke.html") + "\".");
}

TEST_F(MainWindowTest, HostCallsReachTheWindow) {
    db.createDefault();
    MainWindow window(services());
    window.setTitle("Default.lhd -- Linkhaven");
    EXPECT_EQ(window.windowTitle(), "Default.lhd -- Linkhaven");
    window.showStatus("Autosave failed");
    EXPECT_EQ(window.statusBar()->currentMessage(), "Autosave failed");
    window.favourites().fill(window.favourites());
    EXPECT_FALSE(window.favourites().actions().isEmpty());
    db.addItem(1, test::link("new", "http://new/"));
    EXPECT_TRUE(window.favourites().actions().isEmpty());  // stale, rebuilt when shown
}

// Timer work that counts its reminder ticks and waits while `importing` is set.
struct CountingTimerWork : commands::TimerWork {
    bool importing = false;
    int reminded = 0;
    bool mustWait() const override { return importing; }
    void remind() override { ++reminded; }
};

TEST_F(MainWindowTest, TimersWaitWhileTheirWorkSaysSoAndAutosaveAfterTheInterval) {
    test::TempDir dir;
    struct : commands::BackupChooser {
        std::optional<std::string> chooseBackup(const std::string&,
                                                const std::vector<store::BackupRow>&) override {
            return std::nullopt;
        }
    } backups;
    struct : commands::FileCommandsHost {
        void setTitle(const std::string&) override {}
        void closeProgram() override {}
        void showStatus(const std::string&) override {}
    } host;
    commands::FileCommands fileCommands(
        {db, store, prompter, files, backups, host, platform::systemClock()},
        dir.file("Default.lhd"));
    fileCommands.locateDataFile();
    ASSERT_TRUE(fileCommands.openAtStart());
    MainWindow window(services());
    window.setFileCommands(fileCommands);
    settings.AutoSaveTime = 30;
    settings.GeneralCheck.setAutoSave(true);
    std::filesystem::remove(dir.file("Default.lhd"));
    CountingTimerWork work;
    window.setTimerWork(work);
    work.importing = true;
    for (int i = 0; i < 5; ++i) {
        window.housekeepingTick();
        window.reminderTick();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("Default.lhd")));
    EXPECT_EQ(work.reminded, 0);
    work.importing = false;
    window.reminderTick();
    EXPECT_EQ(work.reminded, 1);
    window.housekeepingTick();  // 10 s
    window.housekeepingTick();  // 20 s
    window.housekeepingTick();  // 30 s: not yet beyond the interval
    EXPECT_FALSE(std::filesystem::exists(dir.file("Default.lhd")));
    window.housekeepingTick();  // 40 s
    EXPECT_TRUE(std::filesystem::exists(dir.file("Default.lhd")));
}

}  // namespace
}  // namespace lh::gui

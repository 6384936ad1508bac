#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "commands/FileCommands.h"
#include "commands/TimerWork.h"
#include "gui/reminders/AlarmCenter.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/QtBackupChooser.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "gui/tree/CategoryPane.h"
#include "gui/update/UpdateChecker.h"
#include "platform/SystemClock.h"
#include "reminders/PendingAlarms.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/CategoryNames.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeUpdateRunner.h"
#include "support/MemorySettingsBackend.h"
#include "support/RecordingBrowser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "update/HttpResponse.h"
#include "update/ProductInfo.h"

namespace lh::gui {
namespace {

// The texts, shortcuts and layouts are tables of their own; these check that the window builds
// from them and that each command reaches what it changes.
class MainWindowTest : public ::testing::Test {
protected:
    ShellServices services() { return {db, prompter, files, settings, store}; }

    store::Database db;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    test::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::AppSettings settings;

    // A window with its data commands on "Default.lhd" in a folder of its own.
    struct WindowOnFile {
        explicit WindowOnFile(MainWindowTest& t)
            : window(t.services()),
              fileCommands(
                  {t.db, t.store, t.prompter, t.files, backups, window, platform::systemClock()},
                  dir.file("Default.lhd")) {}
        bool open() {
            fileCommands.locateDataFile();
            if (!fileCommands.openAtStart()) {
                return false;
            }
            window.setFileCommands(fileCommands);
            return true;
        }
        test::TempDir dir;
        QtBackupChooser backups;
        MainWindow window;
        commands::FileCommands fileCommands;
    };
};

// The menus hold the registry's own actions, whose shortcuts work without a menu open.
TEST_F(MainWindowTest, MenusHoldTheRegistrysActions) {
    MainWindow window(services());
    EXPECT_EQ(window.menu(MenuId::File)->actions().at(0),
              window.actions().action(CommandId::NewDatabase));
    QMenu* toolBar = window.menu(MenuId::View)->actions().at(2)->menu();
    // After the toolbar's own show/hide entry (the toolbar test's), Show Text.
    EXPECT_EQ(toolBar->actions().at(1), window.actions().action(CommandId::ShowText));
    EXPECT_TRUE(window.QWidget::actions().contains(window.actions().action(CommandId::Find)));
}

TEST_F(MainWindowTest, FavouritesMenuFillsOnDemandAndFollowsTheDatabase) {
    db.createDefault();
    FavouritesMenu menu(db);
    std::vector<std::string> opened;
    menu.setOpenUrl([&](const std::string& a) { opened.push_back(a); });
    db.addItem(1, test::link("Top & more", "http://top/"));
    const store::ItemRecord* life = db.addItem(7, test::link("In Life", "http://life/"));
    // What it shows is FavouritesMenuTest's. Nothing is built before it shows; an entry whose
    // item went away does nothing; the menu is stale after the change.
    EXPECT_TRUE(menu.actions().isEmpty());
    menu.fill(menu);
    const std::uint32_t menuId = life->menuId();
    db.deleteItems(std::vector<store::ItemId>{life->id()}, false);
    EXPECT_TRUE(menu.actions().isEmpty());
    menu.openEntry(menuId);
    EXPECT_TRUE(opened.empty());

    // Every kind of change makes it stale: a renamed category, an edited link, bulk work.
    store::ItemEdit edit;
    edit.title = "Top";
    const std::function<void()> changes[] = {[&] { db.renameCategory(3, "Boards"); },
                                             [&] { db.editItem(db.findMenuItem(0)->id(), edit); },
                                             [&] { ASSERT_TRUE(db.moveCategory(4, 3)); },
                                             [&] { db.createDefault(); }};
    for (const auto& change : changes) {
        menu.fill(menu);
        change();
        EXPECT_TRUE(menu.actions().isEmpty());
    }
}

TEST_F(MainWindowTest, TrayEntriesTriggerTheirCommandsAndWaitWhileADialogIsOpen) {
    db.createDefault();
    MainWindow window(services());
    QMenu& tray = window.tray().menu();
    const auto entry = [&](CommandId id) {
        return tray.findChild<QAction*>(QStringLiteral("tray%1").arg(int(id)));
    };
    const bool shown = settings.GeneralCheck.dropZoneShown();
    entry(CommandId::DropZone)->trigger();
    EXPECT_NE(settings.GeneralCheck.dropZoneShown(), shown);

    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    emit tray.aboutToShow();
    EXPECT_TRUE(entry(CommandId::OpenHide)->isEnabled());
    EXPECT_FALSE(entry(CommandId::About)->isEnabled());
    EXPECT_FALSE(window.favourites().menuAction()->isEnabled());
    dialog.close();
    emit tray.aboutToShow();
    EXPECT_TRUE(entry(CommandId::About)->isEnabled());
    EXPECT_TRUE(window.favourites().menuAction()->isEnabled());
    // An open alarm must be answered first, like a modal dialog.
    window.alarms().announce({"Dentist", "", "BBS", "", 3, std::nullopt});
    emit tray.aboutToShow();
    EXPECT_FALSE(entry(CommandId::About)->isEnabled());
    (void)window.alarms().closeAll();
}

TEST_F(MainWindowTest, StoredLayoutAndToolbarComeBackWithKnownButtonsAndBadOnesFallBack) {
    settings::MainLayout layout;
    layout.treePane = settings::PaneRect::parse("0017042000200600");
    layout.detailPane = settings::PaneRect{0, 100, 0, 300};
    settings::WindowPlacement placement;
    placement.left = 30, placement.top = 40, placement.right = 530, placement.bottom = 440;
    layout.placement = placement;
    store.writeLayout(layout);
    store.writeButtons({{5, int(CommandId::Find), 4, 0, 0, 5},
                        {0, 0, 0, 1, 0, 0},
                        {0, 4711, 4, 0, 0, 0},
                        {10, int(CommandId::AddFile), 4, 0, 0, 9},
                        {9, int(CommandId::Exit), 4, 0, 0, 8}});
    {
        MainWindow window(services());
        window.restoreState();
        EXPECT_EQ(window.requestedPaneSizes(), settings::paneSizes(layout));
        EXPECT_EQ(window.geometry(), QRect(30, 40, 500, 400));
        // Add File is no default button, but one the user may have added.
        const std::vector<ToolbarEntry> restored{CommandId::Find, std::nullopt, CommandId::AddFile,
                                                 CommandId::Exit};
        EXPECT_EQ(window.toolbar().entries(), restored);
        window.toolbar().setEntries(
            {CommandId::Find, std::nullopt, CommandId(12345), CommandId::AddFile, CommandId::Exit});
        EXPECT_EQ(window.toolbar().entries(), restored);  // only known buttons

        ToolbarCustomizeDialog dialog(restored);
        // Its two labels are their lists' buddies, so that their mnemonics reach the lists.
        std::map<QString, QString> buddies;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            buddies[label->text()] = label->buddy() ? label->buddy()->objectName() : "";
        }
        EXPECT_EQ(buddies, (std::map<QString, QString>{
                               {"A&vailable toolbar buttons:", "availableListWidget"},
                               {"&Toolbar buttons:", "currentListWidget"}}));
        dialog.findChild<QListWidget*>("currentListWidget")->setCurrentRow(0);
        dialog.moveSelected(1);   // Find after the separator
        dialog.removeSelected();  // and gone
        EXPECT_EQ(dialog.entries(),
                  (std::vector<ToolbarEntry>{std::nullopt, CommandId::AddFile, CommandId::Exit}));
        dialog.resetToDefault();
        EXPECT_EQ(dialog.entries(), MainToolbar::defaultEntries());
    }
    // A window far off every screen comes back at the default size (which toolbar records are
    // whole is SettingsStoreTest's).
    placement.left = 20000;
    placement.right = 20800;
    store.writeLayout({std::nullopt, std::nullopt, placement});
    {
        MainWindow window(services());
        window.restoreState();
        EXPECT_EQ(window.size(), QSize(590, 400));
    }
    // Half off the screen's right and bottom edges: back wholly on it, at the same size.
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    placement.left = desk.right() - 250, placement.top = desk.bottom() - 175;
    placement.right = placement.left + 500, placement.bottom = placement.top + 350;
    store.writeLayout({std::nullopt, std::nullopt, placement});
    MainWindow window(services());
    window.restoreState();
    EXPECT_EQ(window.geometry(), QRect(desk.right() - 499, desk.bottom() - 349, 500, 350));
}

TEST_F(MainWindowTest, ViewCommandsFlipTheirFlagsAndWhatShowsThem) {
    settings.GeneralCheck.setShowDetail(false);
    settings.GeneralCheck.setToolbarText(true);
    MainWindow window(services());
    window.restoreState();
    const QWidget* detail = window.findChild<QWidget*>("detailPane");
    EXPECT_FALSE(detail->isVisibleTo(&window));
    EXPECT_EQ(window.toolbar().toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    using Flags = settings::GeneralFlags;
    const std::pair<CommandId, bool (Flags::*)() const> commands[] = {
        {CommandId::Detail, &Flags::showDetail},
        {CommandId::Grid, &Flags::gridLines},
        {CommandId::DropZone, &Flags::dropZoneShown},
        {CommandId::ShowText, &Flags::toolbarText}};
    for (const auto& [id, flag] : commands) {
        QAction* action = window.actions().action(id);
        const bool before = (settings.GeneralCheck.*flag)();
        EXPECT_EQ(action->isChecked(), before) << int(id);
        action->trigger();
        EXPECT_NE((settings.GeneralCheck.*flag)(), before) << int(id);
        EXPECT_EQ(action->isChecked(), !before) << int(id);
    }
    EXPECT_TRUE(detail->isVisibleTo(&window));
    EXPECT_EQ(window.toolbar().toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST_F(MainWindowTest, ToolbarHiddenFromItsOwnMenuComesBackFromViewAndOverflowsToAnArrow) {
    settings.GeneralCheck.setToolbarText(true);
    MainWindow window(services());
    window.restoreState();
    window.show();
    MainToolbar& toolbar = window.toolbar();
    // Unticked in the toolbar's own context menu: hidden, and unticked under View > ToolBar.
    std::unique_ptr<QMenu> popup(window.createPopupMenu());
    ASSERT_TRUE(popup->actions().contains(toolbar.toggleViewAction()));
    toolbar.toggleViewAction()->trigger();
    EXPECT_FALSE(toolbar.isVisible());
    QAction* viewEntry = window.menu(MenuId::View)->actions().at(2)->menu()->actions().at(0);
    ASSERT_EQ(viewEntry, toolbar.toggleViewAction());
    EXPECT_FALSE(viewEntry->isChecked());
    viewEntry->trigger();
    EXPECT_TRUE(toolbar.isVisible());
    EXPECT_TRUE(viewEntry->isChecked());

    // With text the buttons need more than the default width: the rest behind the arrow.
    QCoreApplication::sendPostedEvents();
    auto* arrow = toolbar.findChild<QToolButton*>("qt_toolbar_ext_button");
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->isVisible());
    const QList<QAction*> buttons = toolbar.actions();
    EXPECT_FALSE(toolbar.widgetForAction(buttons.last())->isVisible());
}

// The category commands are CategoryPaneTest's and the imports ImportActionsTest's.
TEST_F(MainWindowTest, CategoryMenuAndExportFollowTheTree) {
    MainWindow window(services());
    db.createDefault();  // as at start: the window is there before the database
    auto* pane = window.findChild<CategoryPane*>("categoryPane");
    ASSERT_TRUE(pane->selectCategory(store::kRecycleId));
    window.actions().action(CommandId::DeleteCategory)->setEnabled(true);
    emit window.menu(MenuId::Category)->aboutToShow();  // checked again as the menu opens
    EXPECT_FALSE(window.actions().action(CommandId::DeleteCategory)->isEnabled());

    test::TempDir dir;
    ASSERT_TRUE(pane->selectCategory(4));  // "Joke", without links
    files.answers.push_back(dir.file("joke.html"));
    window.actions().action(CommandId::ExportBookmarkFile)->trigger();
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString(),
              "Exported 0 links in 1 categories to \"" + dir.file("joke.html") + "\".");
}

// Timer work that counts its reminder ticks and waits while `importing` is set.
struct CountingTimerWork : commands::TimerWork {
    bool importing = false;
    bool mustWait() const override { return importing; }
};

// A signal to end (through terminate()) closes an open modal dialog, then saves without a
// question.
TEST_F(MainWindowTest, TerminateClosesDialogsThenSavesAndEnds) {
    WindowOnFile w(*this);
    ASSERT_TRUE(w.open());
    MainWindow& window = w.window;
    const test::TempDir& dir = w.dir;
    window.show();
    db.addCategory(store::kFavoritesId, {"Kept", {}, {}, {}});
    QDialog dialog(&window);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    window.terminate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !db.isOpen(); }, 10'000));
    EXPECT_FALSE(dialog.isVisible());
    store::Database saved;
    ASSERT_EQ(test::load(saved, dir.file("Default.lhd")), store::LoadOutcome::Loaded);
    EXPECT_NE(store::findCategoryByNames(saved, {"WebFavorite", "Kept"}), nullptr);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainWindowTest, TimersWaitWhileTheirWorkSaysSoThenBackUpAndAutosave) {
    WindowOnFile w(*this);  // the file is new: no backup is asked for
    ASSERT_TRUE(w.open());
    MainWindow& window = w.window;
    test::TempDir& dir = w.dir;
    settings.AutoSaveTime = 5;  // seconds: the first tick that counts saves
    settings.GeneralCheck.setAutoSave(true);
    std::filesystem::remove(dir.file("Default.lhd"));
    CountingTimerWork work;
    window.setTimerWork(work);
    work.importing = true;
    for (int i = 0; i < 5; ++i) {
        window.housekeepingTick();
        window.reminderTick();
    }
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{});
    work.importing = false;
    window.reminderTick();
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString().rfind("Backup written to ", 0),
              0u);
    window.housekeepingTick();
    EXPECT_TRUE(std::filesystem::exists(dir.file("Default.lhd")));
}

// The reminder timer rings what is due through the alarms; at the close the put-off alarms and
// the unanswered ones are kept for the next run.
TEST_F(MainWindowTest, DueRemindersRingOnceAndTheirAlarmsAreKeptAtTheClose) {
    db.createDefault();
    MainWindow window(services());
    const platform::LocalTime now = platform::systemClock().now();
    const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
    const store::DateTimeStamp when{static_cast<std::uint16_t>(now.year % 100),
                                    u8(now.month),
                                    u8(now.day),
                                    u8(now.hour),
                                    u8(now.minute),
                                    0,
                                    0};
    for (const char* title : {"stand up", "drink"}) {
        const store::ItemFields f{"", "", title, "", 3, store::kKindRemind, 0, {}, when};
        db.addReminder(*store::remindKey(f.flags, when), db.addItem(3, f)->id());
    }
    window.reminderTick();
    AlarmCenter& alarms = window.alarms();
    EXPECT_EQ(alarms.openCount(), 2);  // that each rings once is ReminderTimersTest's
    QWidget* standUp = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == "stand up") {
            standUp = w;
        }
    }
    ASSERT_NE(standUp, nullptr);
    standUp->findChild<QPushButton*>("remindLaterButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(alarms.openCount(), 1);
    window.close();
    EXPECT_EQ(alarms.openCount(), 0);
    std::vector<std::string> kept;
    for (const reminders::SnoozeEntry& e :
         reminders::decodePendingAlarms(store.readPendingAlarms())) {
        kept.push_back(e.announcement.title);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"stand up", "drink"}));
}

// The update check starts once, 70 seconds after the start; every tick reaps an ended one. Help
// holds the check and the home page, which opens in the browser like every link.
TEST_F(MainWindowTest, TheUpdateCheckStartsOnTheSeventhTickOnlyAndHelpLeadsToOurPages) {
    MainWindow window(services());
    test::UpdateRunnerLog log;
    window.updates().setRunner(std::make_unique<test::FakeUpdateRunner>(log));
    for (int tick = 1; tick <= 6; ++tick) {
        window.housekeepingTick();
    }
    EXPECT_EQ(log.starts, 0);
    window.housekeepingTick();
    EXPECT_EQ(log.starts, 1);
    log.finish(update::kLatestVersion);
    for (int tick = 8; tick <= 20; ++tick) {
        window.housekeepingTick();
    }
    EXPECT_EQ(log.starts, 1);  // never again, even with no check running
    EXPECT_EQ(log.reaps, 1);

    settings.Defbrowser = "browser";
    std::vector<std::string> opened;
    test::recordOpenedPages(window.browser(), opened);
    window.actions().action(CommandId::HomePage)->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{update::kHomePage});
    // A manual neither beside the program nor installed: the places looked in are named.
    window.openUserManual("/nowhere/bin", "/nowhere/share/linkhaven");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The user manual could not be found.");
    EXPECT_EQ(
        prompter.shown[0].detail,
        "Looked in:\n/nowhere/bin/help/manual.html\n/nowhere/share/linkhaven/help/manual.html");

    window.close();  // the check stops with the window
    EXPECT_TRUE(log.shutdownGrace.has_value());
}

}  // namespace
}  // namespace lh::gui

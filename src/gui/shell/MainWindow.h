#pragma once

#include <QMainWindow>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

#include "commands/FileCommandsHost.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/CommandTable.h"
#include "reminders/Announcement.h"
#include "settings/ToolbarButton.h"
#include "settings/WindowLayout.h"

class QMenu;
class QSplitter;
class QSessionManager;

namespace lh::store {
class Database;
}

namespace lh::settings {
struct AppSettings;
class SettingsStore;
}  // namespace lh::settings

namespace lh::commands {
class FileChooser;
class FileCommands;
class ReminderTimers;
class Prompter;
class TimerWork;
}  // namespace lh::commands

namespace lh::history {
class UndoStack;
}

namespace lh::gui {

class UndoActions;

class AlarmCenter;
class EffectSoundPlayer;
class BrowserLauncher;
class DataFileWatcher;
class DropZone;
class CategoryActions;
class CategoryPane;
class FindActions;
class ImportActions;
class ItemActions;
class Skins;
class ItemDialogs;
class ItemPane;
class LinkCheckActions;
class FavouritesMenu;
class MainToolbar;
class SaveProgressDialog;
class TrayIcon;
class UpdateChecker;

// What the main window works with; owned by the application, alive longer than the window.
struct ShellServices {
    store::Database& db;
    commands::Prompter& prompter;
    commands::FileChooser& files;
    settings::AppSettings& settings;
    settings::SettingsStore& settingsStore;
};

// The main window: the category tree on the left, the item list above the detail pane on the
// right, the menus, the toolbar, the status bar and the tray icon with the favourites menu.
// It carries out what the data-file commands ask of the window (FileCommandsHost).
class MainWindow : public QMainWindow, public commands::FileCommandsHost {
    Q_OBJECT

public:
    explicit MainWindow(ShellServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects the File menu to the data-file commands; they live as long as the window.
    void setFileCommands(commands::FileCommands& fileCommands);
    // Applies the stored toolbar buttons, window placement and pane sizes.
    void restoreState();
    // Shows the window as the settings ask: normal, or minimised when "StartMinimized" is set.
    void showAtStart();

    ActionRegistry& actions() { return m_actions; }
    // The main menu's popup `id`.
    QMenu* menu(MenuId id) const { return m_menus.at(id); }
    FavouritesMenu& favourites() { return *m_favourites; }
    TrayIcon& tray() { return *m_tray; }
    AlarmCenter& alarms() { return *m_alarms; }
    MainToolbar& toolbar() { return *m_toolbar; }
    BrowserLauncher& browser() { return *m_browser; }
    ImportActions& imports() { return *m_imports; }
    // True while the database is being written (a big save lets the event loop run).
    bool isSaving() const;
    // The item list and the detail pane.
    ItemPane& items() { return *m_items; }
    ItemDialogs& itemDialogs() { return *m_itemDialogs; }
    ItemActions& itemActions() { return *m_itemActions; }
    UpdateChecker& updates() { return *m_updates; }
    LinkCheckActions& linkCheck() { return *m_linkCheck; }
    DropZone& dropZone() { return *m_dropZone; }
    // The pane sizes last asked of the splitters (tests check these, not the geometry a window
    // manager gave).
    const settings::PaneSizes& requestedPaneSizes() const { return m_requestedPanes; }

    // What tells the timers to wait; must outlive the window. It replaces the window's own, which
    // waits while an import or a save runs (so `work` must wait then too: imports().isRunning(),
    // isSaving()).
    void setTimerWork(commands::TimerWork& work) { m_timerWork = &work; }
    // One tick of each timer, as the timers run them.
    void reminderTick();
    void housekeepingTick();

    // True while the window cannot take work from outside: a modal dialog, an import or a save
    // runs.
    bool isBusy() const;

    // "Open/Hide Linkhaven": hides a shown window, restores a minimised or hidden one.
    void toggleOpenHide();
    // Brings the window to the front (a second start of the program asks for this).
    void bringToFront();
    // The session is ending: save settings and the database, empty nothing.
    void commitData(QSessionManager& manager);
    // The process was asked to end (SIGTERM at a logout, `kill`, SIGHUP, Ctrl+C): a running
    // import stops, open dialogs close as at the session's end, then the settings and the
    // database are saved without a question and the program ends.
    void terminate();
    // Help > User Manual: the manual beside the program, else the installed one, in the desktop's
    // viewer; when neither is there, a message names the places looked in.
    void openUserManual(const QString& programFolder, const QString& dataFolder);
    // Lists the skins of `folder` as View > "SKin" and shows the one the settings name (at
    // start with the program's skin folder; tests give their own).
    void setupSkins(const QString& folder);
    Skins& skins() { return *m_skins; }

    // The undo history of the window's changes.
    history::UndoStack& history() { return *m_history; }

    // FileCommandsHost.
    void setTitle(const std::string& title) override;
    void closeProgram() override;
    void showStatus(const std::string& text) override;
    void keepViewOnNextLoad() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class DefaultTimerWork;

    void setupUi();
    void createActions();
    void createMenus();
    void connectSignals();
    void handleFileCommands();
    void handleViewCommands();
    void showAbout();
    void showOptions();
    void editColumns();
    void customizeToolbar();
    bool shutDown();
    void finishTermination();
    void applyPlacement(const settings::MainLayout& layout);
    void applyPaneSizes(const settings::PaneSizes& sizes);
    settings::MainLayout currentLayout() const;
    std::vector<settings::ToolbarButton> currentButtons() const;
    bool trayUsable() const;
    void announce(const std::vector<reminders::Announcement>& due);
    // Closes the open alarms and keeps them, with the put-off ones, for the next run.
    void keepAlarmsForNextRun();

    ShellServices m_services;
    commands::FileCommands* m_fileCommands = nullptr;
    ActionRegistry m_actions;  // before the members that connect its actions: it outlives them
    // Every change made in the window is a step of it; it goes before the database.
    std::unique_ptr<history::UndoStack> m_history;
    std::unique_ptr<UndoActions> m_undo;
    std::map<MenuId, QMenu*> m_menus;
    std::unique_ptr<BrowserLauncher> m_browser;
    std::unique_ptr<ImportActions> m_imports;
    std::unique_ptr<LinkCheckActions> m_linkCheck;
    std::unique_ptr<CategoryActions> m_categoryActions;
    std::unique_ptr<FindActions> m_find;
    std::unique_ptr<ItemDialogs> m_itemDialogs;
    std::unique_ptr<ItemActions> m_itemActions;
    std::unique_ptr<SaveProgressDialog> m_saveProgress;  // told by every save of the database
    std::unique_ptr<DefaultTimerWork> m_defaultTimerWork;
    std::unique_ptr<commands::ReminderTimers> m_reminders;
    AlarmCenter* m_alarms = nullptr;
    std::unique_ptr<EffectSoundPlayer> m_soundPreview;  // the Remind dialog's "Play"
    commands::TimerWork* m_timerWork = nullptr;
    std::unique_ptr<DataFileWatcher> m_dataFileWatcher;
    std::unique_ptr<DropZone> m_dropZone;  // uses the item dialogs: goes first
    FavouritesMenu* m_favourites = nullptr;
    TrayIcon* m_tray = nullptr;
    UpdateChecker* m_updates = nullptr;
    MainToolbar* m_toolbar = nullptr;
    QSplitter* m_outer = nullptr;
    QSplitter* m_inner = nullptr;
    CategoryPane* m_treePane = nullptr;
    Skins* m_skins = nullptr;
    QMenu* m_skinMenu = nullptr;
    ItemPane* m_items = nullptr;
    QWidget* m_itemPane = nullptr;
    QWidget* m_detailPane = nullptr;
    QTimer m_reminderTimer;
    QTimer m_housekeepingTimer;
    settings::PaneSizes m_requestedPanes;
    bool m_exiting = false;
    bool m_terminating = false;  // terminate() is under way
    int m_terminationTries = 0;
};

}  // namespace lh::gui

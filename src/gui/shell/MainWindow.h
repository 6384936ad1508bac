#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

#include "gui/shell/CommandIds.h"

class QSplitter;
class QTreeView;
class QLabel;

namespace lh::store {
class Database;
class ObserverList;
}  // namespace lh::store

namespace lh::ui {
class Prompter;
class FileChooser;
}  // namespace lh::ui

namespace lh::gui {

class ActionRegistry;
class BrowserLauncher;
class FavouritesMenu;
class MainToolbar;
class TrayIcon;

// What the main window works with; owned by the application, alive longer than the window.
struct ShellServices {
    store::Database& db;
    store::ObserverList& observers;
    ui::Prompter& prompter;
    ui::FileChooser& files;
};

// The main window: the category tree on the left, the item list above the detail pane on the
// right, the menus, the toolbar, the status bar and the tray icon with the favourites menu.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(ShellServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    ActionRegistry& actions() { return *m_actions; }
    FavouritesMenu& favourites() { return *m_favourites; }
    TrayIcon& tray() { return *m_tray; }
    MainToolbar& toolbar() { return *m_toolbar; }
    BrowserLauncher& browser() { return *m_browser; }

    // The work of the reminder timer (every 52 s) and of the housekeeping timer (every 10 s).
    void setTimerWork(std::function<void()> reminderTick, std::function<void()> housekeepingTick);

    // "Open/Hide Linkhaven": hides a shown window, restores a minimised or hidden one.
    void toggleOpenHide();
    // Brings the window to the front (a second start of the program asks for this).
    void bringToFront();
    // Ends the program after the close questions (File > Exit).
    void exitProgram();

    // Where the window stands on how a close or a minimise is handled.
    struct CloseRules {
        bool minimizeOnClose = true;
        bool hideWhenMinimized = true;
    };
    void setCloseRules(CloseRules rules) { m_closeRules = rules; }

signals:
    // The window is about to close for good: save settings and the database now.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setupUi();
    void createActions();
    void createMenus();
    void connectSignals();
    void showAbout();
    void customizeToolbar();

    ShellServices m_services;
    std::unique_ptr<ActionRegistry> m_actions;
    std::unique_ptr<BrowserLauncher> m_browser;
    FavouritesMenu* m_favourites = nullptr;
    TrayIcon* m_tray = nullptr;
    MainToolbar* m_toolbar = nullptr;
    QSplitter* m_outer = nullptr;
    QSplitter* m_inner = nullptr;
    QWidget* m_treePane = nullptr;
    QWidget* m_itemPane = nullptr;
    QWidget* m_detailPane = nullptr;
    QTimer m_reminderTimer;
    QTimer m_housekeepingTimer;
    CloseRules m_closeRules;
    bool m_exiting = false;
};

}  // namespace lh::gui

#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <utility>
#include <vector>

#include "gui/shell/CommandIds.h"

namespace lh::gui {

class ActionRegistry;
class FavouritesMenu;

// The notification-area icon and its menu, built from the tray menu's table: "Open/Hide
// Linkhaven", "Add Url", "DropZone", "Options...", "About", the favourites submenu and "Exit". A
// double click opens or hides the window. While any modal dialog or message box is open, or
// anything else that must be answered first (alarms), only "Open/Hide Linkhaven" can be chosen
// (the others wait until it is answered).
class TrayIcon : public QObject {
    Q_OBJECT

public:
    TrayIcon(ActionRegistry& actions, FavouritesMenu& favourites, QObject* parent = nullptr);

    // Shows the icon when the desktop has a notification area.
    void show();
    void hide();
    QMenu& menu() { return m_menu; }
    // Besides modal dialogs, what else makes the menu wait while it says so.
    void setAlsoWaitWhile(std::function<bool()> waits) { m_alsoWaits = std::move(waits); }
    // True when the desktop has a notification area right now (it may come and go).
    static bool available();
    // True while a modal dialog, or anything else the menu waits for, is open.
    bool waitsForAnswer() const;

private:
    // An entry of the tray menu that runs a main-window command; its own action, so that it
    // can wait for a modal dialog without greying the main menu.
    void addEntry(CommandId id, const QString& text);
    void updateForModalDialogs();

    ActionRegistry& m_actions;
    FavouritesMenu& m_favourites;
    std::vector<std::pair<QAction*, QAction*>> m_entries;  // tray entry, command it runs
    std::function<bool()> m_alsoWaits;
    QMenu m_menu;
    QSystemTrayIcon m_icon;
};

}  // namespace lh::gui

#pragma once

#include <QKeySequence>
#include <QString>

#include <span>
#include <vector>

#include "gui/shell/CommandIds.h"
#include "items/ItemKind.h"

namespace lh::gui {

// One command as menus and toolbars show it.
struct CommandInfo {
    CommandId id;
    const char* text;  // the menu text, with "&" mnemonics and "\t" before a shortcut
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    bool checkable = false;
    const char* statusTip = nullptr;  // shown in the status bar while the entry is highlighted
    const char* toolTip = nullptr;    // the toolbar button's tip, when not the menu text
};

// Every command of the main menu, the tree's context menu, the tray menu and the toolbar.
std::span<const CommandInfo> allCommands();
const CommandInfo* findCommand(CommandId id);

// An entry of a menu built from a table: a command, or a separator (no id). Entries that name a
// `submenu` go into a submenu of that title, made at the first of them.
struct MenuEntry {
    CommandId id{};
    bool separator = false;
    const char* submenu = nullptr;  // "ToolBar" holds Show Text and Customize
    // Shown instead of the command's own text ("Delete Item" for Delete in the item list's
    // File menu); the entry follows the command's enabled state and runs the command.
    const char* text = nullptr;
};

// The popups of the main menu; code finds a popup by its id, never by its title.
enum class MenuId { File, Category, Edit, Management, View, Tools, Help };

// A popup of the main menu: its id, its title and its entries.
struct MenuPopup {
    MenuId id;
    const char* title;
    std::vector<MenuEntry> entries;
};
const std::vector<MenuPopup>& mainMenuLayout();

// The tree's context menu, top to bottom.
std::span<const MenuEntry> categoryContextMenuLayout();
// The item list's context menu for items of `kind`, top to bottom (empty for mixed items).
std::span<const MenuEntry> itemContextMenuLayout(items::ItemKind kind);

// An entry of the tray menu: a command under the tray's own text, a separator, or the
// favourites submenu.
struct TrayEntry {
    enum class Kind { Command, Separator, Favourites };
    Kind kind;
    CommandId id{};
    const char* text = nullptr;
};
std::span<const TrayEntry> trayMenuLayout();

// The toolbar's button table: picture index, command and text, the default buttons first in
// their order, then those the user may add. A stored button names its text by its row here, so
// rows are only ever appended.
struct ToolbarButtonInfo {
    int image;
    CommandId id;
    const char* text;
    bool inDefaultSet = true;
};
std::span<const ToolbarButtonInfo> toolbarButtonTable();
const ToolbarButtonInfo* findToolbarButton(CommandId id);

}  // namespace lh::gui

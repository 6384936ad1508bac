#pragma once

#include <QKeySequence>
#include <QString>

#include <span>
#include <vector>

#include "gui/shell/CommandIds.h"

namespace lh::gui {

// One command as menus and toolbars show it.
struct CommandInfo {
    CommandId id;
    const char* text;  // the menu text, with "&" mnemonics and "\t" before a shortcut
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    bool checkable = false;
};

// Every command of the main menu, the tray menu and the toolbar.
std::span<const CommandInfo> allCommands();
const CommandInfo* findCommand(CommandId id);

// A popup of the main menu: its title and its entries (a null-id entry is a separator; a
// submenu is named by `submenu`).
struct MenuEntry {
    CommandId id{};
    bool separator = false;
    const char* submenu = nullptr;  // "ToolBar" holds Show Text and Customize
};
struct MenuPopup {
    const char* title;
    std::vector<MenuEntry> entries;
};
const std::vector<MenuPopup>& mainMenuLayout();

// The toolbar's button table: picture index, command and text, in default order.
struct ToolbarButtonInfo {
    int image;
    CommandId id;
    const char* text;
};
std::span<const ToolbarButtonInfo> toolbarButtonTable();
const ToolbarButtonInfo* findToolbarButton(CommandId id);

}  // namespace lh::gui

#pragma once

#include <span>

#include "gui/shell/CommandTable.h"

class QMenu;

namespace lh::gui {

class ActionRegistry;

// Adds `entries` to `menu`: each command as its action from `actions` (so enabling or checking it
// shows wherever it appears), separators, and the entries that name a submenu in that submenu.
void addMenuEntries(QMenu& menu, const ActionRegistry& actions, std::span<const MenuEntry> entries);

}  // namespace lh::gui

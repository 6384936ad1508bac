#pragma once

#include <cstdint>

#include "store/CategoryRecord.h"

namespace lh::commands {

// Which of the four category commands (New Category, Delete, Move to, Properties) are enabled,
// in the main menu's "Category" menu or in the tree's context menu.
struct CategoryMenuState {
    bool newCategory = false;
    bool deleteCategory = false;
    bool moveTo = false;
    bool properties = false;

    bool operator==(const CategoryMenuState&) const = default;
};

// The tree's context menu for the category under the mouse (id 0 and 2: Properties only; id 1:
// New Category and Properties; 3 and above: everything).
CategoryMenuState contextMenuState(store::CategoryId clickedId);

// The main menu's commands for the selected category (null when nothing is selected): the same
// rules as the context menu's.
CategoryMenuState mainMenuState(const store::CategoryRecord* selected);

// True when item rows dragged out of `source` may be dropped on `target`: not on the source
// itself, not on the root, only within one class, and only as a move (a copy is refused).
bool acceptsItemDrop(const store::CategoryRecord& target, const store::CategoryRecord& source,
                     bool copyRequested);

}  // namespace lh::commands

#pragma once

#include <cstdint>

#include "store/CategoryRecord.h"

namespace lh::commands {

// Command ids of the four category commands in the main menu's "Category" menu and in the tree's
// own context menu.
enum class CategoryCommandId : int {
    MainNewCategory = 32773,
    MainDelete = 32774,
    MainMoveTo = 32775,
    MainProperties = 32776,
    TreeNewCategory = 32796,
    TreeDelete = 32797,
    TreeMoveTo = 32798,
    TreeProperties = 32799,
};

// Which of the four commands are enabled.
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

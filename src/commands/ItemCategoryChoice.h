#pragma once

#include "commands/ParentChooser.h"
#include "store/Database.h"

namespace lh::commands {

// Which category the item dialogs' category list opens on.
struct ItemCategoryPreselect {
    store::CategoryId id = 0;
    // The edited item's own category: listed (at the end) and selected even when it lies outside
    // the list's root, so that OK never moves the item by accident. Otherwise a default setting.
    bool ownCategory = false;
};

// The category list of the item dialogs: category `rootId`, then everything below it in pre-order.
// Selects the line of the preselected category; a default naming "Recycle" selects the first line
// (new items do not go there); any other default not listed selects the third line (the first when
// there are fewer). Without the root the list holds at most the item's own category.
ParentChoice buildItemCategoryChoice(const store::Database& db, store::CategoryId rootId,
                                     ItemCategoryPreselect preselect);

}  // namespace lh::commands

#pragma once

#include "store/Kinds.h"

namespace lh::store {
class CategoryRecord;
class ItemRecord;
}  // namespace lh::store

namespace lh::items {

// The four ways the item list shows and treats items: detail rows, context menu, double click,
// dialog. The commands decide by the item's own kind, not by its category's: the default
// database keeps File and Remind items in URL categories.
enum class ItemKind { Url, File, Remind, Mixed };

// By the low nibble of the item's flags (1, 4, 6; anything else is Mixed).
ItemKind kindOf(const store::ItemRecord& item);
// By the category's class (0x10, 0x40, 0x60; anything else is Mixed).
ItemKind kindOf(const store::CategoryRecord& category);

// The categories whose rows ignore right clicks and double clicks (ids 4, 5 and 6).
constexpr bool isQuietCategory(store::CategoryId id) {
    return id >= 4 && id <= 6;
}

}  // namespace lh::items

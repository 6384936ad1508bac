#pragma once

#include <cstdint>
#include <vector>

#include "items/ItemTexts.h"
#include "settings/ColumnLayout.h"

namespace lh::gui {

// One column of the item list: what it shows and how wide it starts.
struct ListColumn {
    items::FieldCode field = items::FieldCode::Title;
    int width = 0;
    bool operator==(const ListColumn&) const = default;
};

// The list's columns from a URL-kind layout: the first six order numbers in turn, skipping
// numbers above 5, repeated ones and hidden entries (the image entry is always shown). Each
// shown entry's display position is written back into `layout`; an image width below 7 becomes
// 20 in the layout too.
std::vector<ListColumn> applyUrlLayout(settings::ColumnLayout& layout);

// The user finished resizing list column `column` to `width`: stores it into the entry of
// `layout` (the current category kind's) shown at that display position, taking a visible entry
// before a hidden one that shares the position. False when no entry of the first nine matches.
bool storeColumnWidth(settings::ColumnLayout& layout, int column, int width);

}  // namespace lh::gui

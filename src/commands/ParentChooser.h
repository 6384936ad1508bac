#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Database.h"

namespace lh::commands {

// One line of the parent chooser of the "New Category" dialog.
struct ChooserEntry {
    std::uint16_t id = 0;
    std::string name;
    std::uint16_t depth = 0;  // the category's level; the list indents by level + 1
    std::uint8_t flags = 0;   // for the icon
};

// The chooser's lines and the line selected at opening (-1 for none).
struct ParentChoice {
    std::vector<ChooserEntry> entries;
    int selected = -1;
};

// The root of the chooser for categories of class `categoryClass`: "WebFavorite" (id 1) for
// favourites, id 2 for file categories, id 3 for reminder categories. Null for any other class
// or when that category does not exist.
const store::CategoryRecord* classRoot(const store::Database& db, std::uint8_t categoryClass);

// The class root followed by every category below it in pre-order (a category, then everything
// below it, then its next sibling). Selects the line of `preselectId`; when no line has it, the
// third line, or the first when there are fewer than three. Nothing when classRoot() is null.
std::optional<ParentChoice> buildParentChoice(const store::Database& db, std::uint8_t categoryClass,
                                              std::optional<std::uint16_t> preselectId);

}  // namespace lh::commands

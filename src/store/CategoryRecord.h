#pragma once

#include <cstdint>
#include <string>

#include "store/Kinds.h"

namespace lh::store {

class ItemRecord;

// One category of the tree. The Database owns every CategoryRecord; the links are non-owning and
// change only through the Database.
struct CategoryRecord {
    std::string name;
    std::string folderPath;
    std::string memo;
    std::uint16_t id = 0;      // runtime id, the key of the category index
    std::uint16_t fileId = 0;  // the id the file gave it; meaningful only while loading
    std::uint8_t flags = 0;    // class in the high nibble, "expanded" in the low one
    std::uint16_t depth = 0;   // root 0, its children 1, ...

    ItemRecord* firstItem = nullptr;
    CategoryRecord* nextSibling = nullptr;
    CategoryRecord* firstChild = nullptr;
    // The parent when this is its parent's first child, otherwise the previous sibling.
    CategoryRecord* backLink = nullptr;

    // Kept beside the links above so that appending and walking up stay cheap in big trees.
    CategoryRecord* parent = nullptr;
    CategoryRecord* lastChild = nullptr;
    ItemRecord* lastItem = nullptr;

    std::uint8_t categoryClass() const { return flags & kClassMask; }
};

}  // namespace lh::store

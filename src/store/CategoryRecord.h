#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/Kinds.h"

namespace lh::store {

class ItemRecord;

// What a new category is made of (Database::addCategory).
struct NewCategory {
    std::string name;
    std::string memo;
    std::string folderPath;
    // The category's class; the parent's class when not given.
    std::optional<std::uint8_t> categoryClass;
};

// One category of the tree. The Database owns every CategoryRecord and is the only one that
// changes it; everybody else reads it through these accessors.
class CategoryRecord {
public:
    const std::string& name() const { return m_name; }
    const std::string& folderPath() const { return m_folderPath; }
    const std::string& memo() const { return m_memo; }
    // The runtime id, the key of the category index.
    CategoryId id() const { return m_id; }
    // Class in the high nibble, "show expanded" in the low one.
    std::uint8_t flags() const { return m_flags; }
    std::uint8_t categoryClass() const { return m_flags & kClassMask; }
    bool showsExpanded() const { return (m_flags & kExpandedMask) != 0; }
    // Root 0, its children 1, ...
    std::uint16_t depth() const { return m_depth; }

    const ItemRecord* firstItem() const { return m_firstItem; }
    // The number of items in the chain.
    std::uint32_t itemCount() const { return m_itemCount; }
    const CategoryRecord* parent() const { return m_parent; }
    const CategoryRecord* firstChild() const { return m_firstChild; }
    const CategoryRecord* lastChild() const { return m_lastChild; }
    const CategoryRecord* nextSibling() const { return m_nextSibling; }
    // The parent when this is its parent's first child, otherwise the previous sibling.
    const CategoryRecord* backLink() const { return m_backLink; }
    // The number of direct sub-categories.
    std::uint32_t childCount() const { return m_childCount; }

private:
    friend class Database;
    friend class LhdLoader;

    std::string m_name;
    std::string m_folderPath;
    std::string m_memo;
    CategoryId m_id = 0;
    std::uint8_t m_flags = 0;
    std::uint16_t m_depth = 0;
    std::uint32_t m_childCount = 0;
    std::uint32_t m_itemCount = 0;

    ItemRecord* m_firstItem = nullptr;
    ItemRecord* m_lastItem = nullptr;
    CategoryRecord* m_parent = nullptr;
    CategoryRecord* m_firstChild = nullptr;
    CategoryRecord* m_lastChild = nullptr;
    CategoryRecord* m_nextSibling = nullptr;
    CategoryRecord* m_backLink = nullptr;
};

}  // namespace lh::store

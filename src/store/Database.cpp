// The Database itself, its bulk work and its categories. Items are in DatabaseItems.cpp, the
// indexes in DatabaseIndexes.cpp, loading and saving in DatabaseFile.cpp.

#include "store/Database.h"

#include <utility>

#include "store/TreeWalk.h"

namespace lh::store {

Database::Database(const platform::Clock& clock, platform::FileSystem& fs)
    : m_clock(clock), m_fs(fs) {}

Database::~Database() {
    m_bulkDepth = 1;  // the views may be gone already: tell nobody
    clear();
}

// --- Bulk work -------------------------------------------------------------------------------

void Database::beginBulkChange() {
    if (m_bulkDepth++ == 0) {
        m_contentsReplaced = false;
        m_observers.notify(&DatabaseObserver::bulkChangeBegun);
    }
}

void Database::endBulkChange() {
    if (--m_bulkDepth == 0) {
        m_observers.notify(&DatabaseObserver::bulkChangeEnded, m_contentsReplaced);
    }
}

// --- Whole database --------------------------------------------------------------------------

void Database::clear() {
    if (m_journal != nullptr) {
        m_journal->databaseClearing();  // kept records may live in the arena freed below
    }
    const BulkChange bulk(*this);
    m_contentsReplaced = true;
    // Records of the arena that own nothing need no visit: their memory goes with the arena's.
    for (auto& [id, category] : m_categories) {
        ItemRecord* item = m_recordsOwningHeap == 0 ? nullptr : category->m_firstItem;
        while (item != nullptr) {
            ItemRecord* next = item->m_next;
            delete item;
            item = next;
        }
    }
    m_categories.clear();
    m_itemArena.release();
    m_itemsById.clear();
    m_firstItemId = m_nextItemId;
    m_menuIndex.clear();
    m_kindCounts = {};
    m_recordsOwningHeap = 0;
    m_remindIndex.clear();
    m_addresses.clear();
    m_addressesBuilt = true;  // an empty index of an empty database is complete
    m_root = nullptr;
    m_itemCount = 0;
}

bool Database::save(const std::string& path, platform::IoError& error) {
    return write(path, 8, error);
}

bool Database::saveAndClose(const std::string& path, platform::IoError& error) {
    if (m_root == nullptr) {
        error = {"save", path, 0, "no database is open"};
        return false;
    }
    if (!write(path, static_cast<std::uint16_t>(m_nextCategoryId), error)) {
        return false;
    }
    clear();
    return true;
}

// --- Categories ------------------------------------------------------------------------------

const CategoryRecord* Database::findCategory(CategoryId id) const {
    const auto it = m_categories.find(id);
    return it == m_categories.end() ? nullptr : it->second.get();
}

std::uint32_t Database::rowOf(const CategoryRecord& category) {
    std::uint32_t row = 0;
    for (const CategoryRecord* c = &category;
         c->m_backLink != nullptr && c->m_backLink != c->m_parent; c = c->m_backLink) {
        ++row;
    }
    return row;
}

bool Database::isSameOrBelow(const CategoryRecord& category, const CategoryRecord& ancestor) {
    for (const CategoryRecord* c = &category; c != nullptr; c = c->m_parent) {
        if (c == &ancestor) {
            return true;
        }
    }
    return false;
}

const CategoryRecord* Database::addCategory(CategoryId parentId, const NewCategory& fields) {
    CategoryRecord* parent = mutableCategory(parentId);
    if (parent == nullptr || m_nextCategoryId >= kCategoryIdLimit) {
        return nullptr;
    }
    const auto id = static_cast<CategoryId>(m_nextCategoryId);
    if (m_categories.contains(id)) {
        return nullptr;  // an id already taken is left as it is
    }
    auto owned = std::make_unique<CategoryRecord>();
    owned->m_name = fields.name;
    owned->m_memo = fields.memo;
    owned->m_folderPath = fields.folderPath;
    owned->m_id = id;
    owned->m_flags =
        fields.categoryClass ? (*fields.categoryClass & kClassMask) : parent->categoryClass();
    const CategoryRows rows{parentId, parent->m_childCount, parent->m_childCount};
    notify(&DatabaseObserver::categoriesAboutToBeInserted, rows);
    CategoryRecord& added = *m_categories.try_emplace(id, std::move(owned)).first->second;
    ++m_nextCategoryId;
    linkLastChild(*parent, added);
    notify(&DatabaseObserver::categoriesInserted, rows);
    journal([&] { return CategoryAdded{id}; });
    return &added;
}

void Database::linkLastChild(CategoryRecord& parent, CategoryRecord& child) {
    child.m_parent = &parent;
    child.m_nextSibling = nullptr;
    child.m_depth = static_cast<std::uint16_t>(parent.m_depth + 1);
    if (parent.m_lastChild == nullptr) {
        parent.m_firstChild = &child;
        child.m_backLink = &parent;
    } else {
        parent.m_lastChild->m_nextSibling = &child;
        child.m_backLink = parent.m_lastChild;
    }
    parent.m_lastChild = &child;
    ++parent.m_childCount;
}

void Database::unlinkCategory(CategoryRecord& category) {
    CategoryRecord* parent = category.m_parent;
    CategoryRecord* back = category.m_backLink;
    if (back == nullptr) {
        return;  // the root, or already unlinked
    }
    if (back->m_firstChild == &category) {
        back->m_firstChild = category.m_nextSibling;
    } else {
        back->m_nextSibling = category.m_nextSibling;
    }
    if (category.m_nextSibling != nullptr) {
        category.m_nextSibling->m_backLink = back;
    }
    if (parent != nullptr) {
        if (parent->m_lastChild == &category) {
            parent->m_lastChild = back == parent ? nullptr : back;
        }
        --parent->m_childCount;
    }
    category.m_nextSibling = nullptr;
    category.m_backLink = nullptr;
    category.m_parent = nullptr;
}

void Database::setSubtreeDepths(CategoryRecord& top) {
    walkDescendants(top, [](const CategoryRecord& c) {
        edit(c).m_depth = static_cast<std::uint16_t>(c.m_parent->m_depth + 1);
        return false;
    });
}

bool Database::moveCategory(CategoryId id, CategoryId targetId) {
    CategoryRecord* moved = mutableCategory(id);
    CategoryRecord* target = mutableCategory(targetId);
    if (moved == nullptr || target == nullptr || moved == m_root ||
        isSameOrBelow(*target, *moved)) {
        return false;
    }
    if (moved->m_parent == target && moved->m_nextSibling == nullptr) {
        return true;  // it is the last child already
    }
    const std::uint32_t row = rowOf(*moved);
    const CategoryRows rows{moved->m_parent->m_id, row, row};
    const std::uint32_t toRow = target->m_childCount;
    notify(&DatabaseObserver::categoriesAboutToBeMoved, rows, targetId, toRow);
    unlinkCategory(*moved);
    linkLastChild(*target, *moved);
    setSubtreeDepths(*moved);
    notify(&DatabaseObserver::categoriesMoved, rows, targetId, toRow);
    journal([&] { return CategoryMoved{id, rows.parent, row}; });
    return true;
}

std::vector<platform::IoError> Database::removeCategory(CategoryId id, bool deleteFiles) {
    if (recording()) {
        return removeCategoryKept(id, deleteFiles);
    }
    std::vector<platform::IoError> failures;
    CategoryRecord* removed = mutableCategory(id);
    if (removed == nullptr || removed == m_root) {
        return failures;
    }
    const std::uint32_t row = rowOf(*removed);
    const CategoryRows rows{removed->m_parent->m_id, row, row};
    notify(&DatabaseObserver::categoriesAboutToBeRemoved, rows);
    unlinkCategory(*removed);
    freeSubtree(*removed, deleteFiles ? &failures : nullptr);
    notify(&DatabaseObserver::categoriesRemoved, rows);
    if (m_journal != nullptr) {
        m_journal->changedUnrecorded();
    }
    return failures;
}

void Database::freeSubtree(CategoryRecord& top, std::vector<platform::IoError>* failures) {
    // Children go before their parent; `top` is unlinked, so its former siblings are not walked.
    std::vector<const CategoryRecord*> order;
    walkSearchOrder(&top, [&](const CategoryRecord& c) {
        order.push_back(&c);
        return false;
    });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        freeCategory(edit(**it), failures);
    }
}

void Database::freeCategory(CategoryRecord& category, std::vector<platform::IoError>* failures) {
    ItemRecord* item = category.m_firstItem;
    category.m_firstItem = category.m_lastItem = nullptr;
    category.m_itemCount = 0;
    while (item != nullptr) {
        ItemRecord* next = item->m_next;
        unindexItem(*item);
        freeItem(item, failures);
        item = next;
    }
    m_categories.erase(category.m_id);  // frees the record
}

void Database::renameCategory(CategoryId id, std::string_view name) {
    setCategoryText(id, &CategoryRecord::m_name, name, CategoryField::Name);
}

void Database::setCategoryMemo(CategoryId id, std::string_view memo) {
    setCategoryText(id, &CategoryRecord::m_memo, memo, CategoryField::Memo);
}

void Database::setCategoryText(CategoryId id, std::string CategoryRecord::*text,
                               std::string_view value, CategoryField field) {
    CategoryRecord* c = mutableCategory(id);
    if (c == nullptr || c->*text == value) {
        return;
    }
    const auto fields = static_cast<CategoryFieldSet>(field);
    notify(&DatabaseObserver::categoryAboutToChange, *c, fields);
    std::string before = std::exchange(c->*text, std::string(value));
    notify(&DatabaseObserver::categoryChanged, *c, fields);
    journal([&] { return CategoryTextChanged{id, field, std::move(before)}; });
}

void Database::setCategoryClass(CategoryId id, std::uint8_t categoryClass) {
    CategoryRecord* c = mutableCategory(id);
    categoryClass &= kClassMask;
    if (c == nullptr || c->categoryClass() == categoryClass) {
        return;
    }
    const auto fields = static_cast<CategoryFieldSet>(CategoryField::Class);
    notify(&DatabaseObserver::categoryAboutToChange, *c, fields);
    const Placement before = placementOf(*c);
    c->m_flags = static_cast<std::uint8_t>(categoryClass | (c->m_flags & kExpandedMask));
    for (ItemRecord* i = c->m_firstItem; i != nullptr; i = i->m_next) {
        refile(*i, before, placementOf(*c));
    }
    notify(&DatabaseObserver::categoryChanged, *c, fields);
    journal([&] { return CategoryClassChanged{id, before.categoryClass}; });
}

}  // namespace lh::store

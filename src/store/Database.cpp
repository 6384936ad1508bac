#include "store/Database.h"

#include <algorithm>
#include <cerrno>

#include "platform/Paths.h"
#include "store/TreeWalk.h"

namespace lh::store {

Database::Database(const platform::Clock& clock, platform::FileSystem& fs)
    : m_clock(clock), m_fs(fs) {}

Database::~Database() {
    m_observer = nullptr;  // views may be gone already
    clear();
}

// --- Whole database -------------------------------------------------------------------------

void Database::clear() {
    if (m_observer != nullptr && m_root != nullptr) {
        m_observer->databaseClearing();
    }
    for (auto& [id, category] : m_categories) {
        ItemRecord* item = category->firstItem;
        while (item != nullptr) {
            ItemRecord* next = item->next;
            delete item;
            item = next;
        }
    }
    m_categories.clear();
    m_itemArena.release();  // every record is destroyed by now
    m_menuIndex.clear();
    m_indexMemory.release();
    m_indexBlocks.release();
    m_remindIndex.clear();
    m_addresses.clear();
    m_addressesBuilt = true;  // an empty index of an empty database is complete
    m_root = nullptr;
    m_itemCount = 0;
}

int Database::save(const std::string& path) {
    return write(path, 8);
}

int Database::saveAndClose(const std::string& path) {
    if (m_root == nullptr) {
        return 0;
    }
    if (write(path, static_cast<std::uint16_t>(m_nextCategoryId)) == 0) {
        return 0;
    }
    clear();
    return 1;
}

// --- Categories -----------------------------------------------------------------------------

CategoryRecord* Database::findCategory(std::uint16_t id) const {
    const auto it = m_categories.find(id);
    return it == m_categories.end() ? nullptr : it->second.get();
}

CategoryRecord* Database::addCategory(std::unique_ptr<CategoryRecord> category,
                                      CategoryRecord& parent) {
    if (m_nextCategoryId >= kCategoryIdLimit) {
        m_lastError = {"add category", category->name, EOVERFLOW};
        return nullptr;
    }
    category->id = static_cast<std::uint16_t>(m_nextCategoryId);
    const auto [slot, inserted] = m_categories.try_emplace(category->id, nullptr);
    if (!inserted) {
        return nullptr;  // an id already taken is left as it is
    }
    ++m_nextCategoryId;
    slot->second = std::move(category);
    CategoryRecord& added = *slot->second;
    added.flags = static_cast<std::uint8_t>(parent.categoryClass() | (added.flags & kExpandedMask));
    added.firstItem = added.lastItem = nullptr;
    added.firstChild = added.lastChild = nullptr;
    linkLastChild(parent, added);
    return &added;
}

void Database::linkLastChild(CategoryRecord& parent, CategoryRecord& child) {
    child.parent = &parent;
    child.nextSibling = nullptr;
    child.depth = static_cast<std::uint16_t>(parent.depth + 1);
    if (parent.lastChild == nullptr) {
        parent.firstChild = &child;
        child.backLink = &parent;
    } else {
        parent.lastChild->nextSibling = &child;
        child.backLink = parent.lastChild;
    }
    parent.lastChild = &child;
}

void Database::unlinkCategory(CategoryRecord& category) {
    CategoryRecord* parent = category.parent;
    CategoryRecord* back = category.backLink;
    if (back == nullptr) {
        return;  // the root, or already unlinked
    }
    if (back->firstChild == &category) {
        back->firstChild = category.nextSibling;
    } else {
        back->nextSibling = category.nextSibling;
    }
    if (category.nextSibling != nullptr) {
        category.nextSibling->backLink = back;
    }
    if (parent != nullptr && parent->lastChild == &category) {
        parent->lastChild = back == parent ? nullptr : back;
    }
    category.nextSibling = nullptr;
    category.backLink = nullptr;
    category.parent = nullptr;
}

void Database::setSubtreeDepths(CategoryRecord& top) {
    walkDescendants(top, [](CategoryRecord& c) {
        c.depth = static_cast<std::uint16_t>(c.parent->depth + 1);
        return false;
    });
}

bool Database::isSameOrBelow(const CategoryRecord& category, const CategoryRecord& ancestor) {
    for (const CategoryRecord* c = &category; c != nullptr; c = c->parent) {
        if (c == &ancestor) {
            return true;
        }
    }
    return false;
}

bool Database::moveCategory(CategoryRecord& category, CategoryRecord& target) {
    if (&category == m_root || isSameOrBelow(target, category)) {
        return false;
    }
    unlinkCategory(category);
    linkLastChild(target, category);
    setSubtreeDepths(category);
    return true;
}

void Database::freeCategory(CategoryRecord& category) {
    ItemRecord* item = category.firstItem;
    category.firstItem = category.lastItem = nullptr;
    while (item != nullptr) {
        ItemRecord* next = item->next;
        unindexItem(*item);
        freeItem(item, m_deleteFiles);
        item = next;
    }
    const std::uint16_t id = category.id;
    if (m_root == &category) {
        m_root = nullptr;
    }
    m_categories.erase(id);  // frees the record
}

void Database::removeCategorySubtree(CategoryRecord& top) {
    // Detach the run from the category it hangs from, so no link is left dangling.
    if (CategoryRecord* back = top.backLink; back != nullptr) {
        CategoryRecord* parent = top.parent;
        if (back->firstChild == &top) {
            back->firstChild = nullptr;
            if (parent != nullptr) {
                parent->lastChild = nullptr;
            }
        } else {
            back->nextSibling = nullptr;
            if (parent != nullptr) {
                parent->lastChild = back;
            }
        }
    }
    if (m_observer != nullptr) {
        for (CategoryRecord* c = &top; c != nullptr; c = c->nextSibling) {
            m_observer->categoryRemoving(*c);
        }
    }
    // Children and later siblings go before the category itself.
    std::vector<CategoryRecord*> order;
    walkSearchOrder(&top, [&](CategoryRecord& c) {
        order.push_back(&c);
        return false;
    });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        freeCategory(**it);
    }
    m_deleteFiles = false;
}

void Database::removeCategory(std::uint16_t id) {
    CategoryRecord* category = findCategory(id);
    if (category == nullptr) {
        return;
    }
    unlinkCategory(*category);
    removeCategorySubtree(*category);
}

// --- Items ----------------------------------------------------------------------------------

bool Database::takesMenuSlot(const ItemRecord& item, const CategoryRecord& category) {
    return category.categoryClass() == kClassUrl && item.kind() != kKindFile &&
           item.kind() != kKindRemind;
}

bool Database::takesReminder(const ItemRecord& item, const CategoryRecord& category) {
    if (category.id == kRecycleId || category.id == kSilentRemindersId) {
        return false;
    }
    return category.categoryClass() == kClassRemind || item.kind() == kKindRemind;
}

void Database::appendToChain(CategoryRecord& category, ItemRecord& item) {
    item.categoryId = category.id;
    item.next = nullptr;
    item.prev = category.lastItem;
    item.position = category.lastItem == nullptr ? 0 : category.lastItem->position + 1;
    if (category.lastItem == nullptr) {
        category.firstItem = &item;
    } else {
        category.lastItem->next = &item;
    }
    category.lastItem = &item;
}

void Database::unlinkFromChain(CategoryRecord& category, ItemRecord& item) {
    if (item.prev != nullptr) {
        item.prev->next = item.next;
    } else {
        category.firstItem = item.next;
    }
    if (item.next != nullptr) {
        item.next->prev = item.prev;
    } else {
        category.lastItem = item.prev;
    }
    item.next = item.prev = nullptr;
}

void Database::renumberChain(CategoryRecord& category) {
    std::uint32_t position = 0;
    for (ItemRecord* item = category.firstItem; item != nullptr; item = item->next) {
        item->position = position++;
    }
}

void Database::giveMenuSlot(ItemRecord& item, bool notify) {
    if (m_nextMenuId == kNoMenuId) {
        renumberMenu();  // 32-bit slots ran out: hand them out afresh
    }
    item.menuId = m_nextMenuId++;
    m_menuIndex.emplace_hint(m_menuIndex.end(), item.menuId, &item);
    if (notify && m_observer != nullptr) {
        m_observer->favouriteAdded(item);
    }
}

void Database::takeMenuSlot(ItemRecord& item) {
    if (item.menuId == kNoMenuId) {
        return;
    }
    const auto it = m_menuIndex.find(item.menuId);
    if (it != m_menuIndex.end() && it->second == &item) {
        m_menuIndex.erase(it);
        if (m_observer != nullptr) {
            m_observer->favouriteRemoved(item);
        }
    }
    item.menuId = kNoMenuId;
}

void Database::fileReminder(ItemRecord& item, const platform::LocalTime* expiryNow) {
    const auto key = remindKey(item.flags, item.remindTime);
    if (!key ||
        (expiryNow != nullptr && isExpiredOnceReminder(item.flags, item.remindTime, *expiryNow))) {
        return;
    }
    addReminder(*key, item);
}

void Database::unfileReminder(ItemRecord& item) {
    if (!item.m_inRemindIndex) {
        return;
    }
    if (const auto key = remindKey(item.flags, item.remindTime)) {
        removeReminder(*key, item);
    }
    if (item.m_inRemindIndex) {
        // Filed under a key its schedule no longer gives: look everywhere.
        for (auto it = m_remindIndex.begin(); it != m_remindIndex.end();) {
            std::erase(it->second, &item);
            it = it->second.empty() ? m_remindIndex.erase(it) : std::next(it);
        }
        item.m_inRemindIndex = false;
    }
}

void Database::unindexItem(ItemRecord& item) {
    takeMenuSlot(item);
    unfileReminder(item);
    unfileAddress(item);
}

void Database::freeItem(ItemRecord* item, bool deleteFile) {
    if (m_observer != nullptr) {
        m_observer->itemRemoving(*item);
    }
    if (deleteFile && item->kind() == kKindFile) {
        // Only a plain file name inside an absolute folder: a title of "..", "a/../../x" or a
        // relative folder must never reach a file outside the item's folder.
        const std::string_view name = item->title();
        const bool plainName = !name.empty() && name != "." && name != ".." &&
                               name.find(platform::kPathSeparator) == std::string_view::npos;
        if (plainName && platform::isAbsolutePath(item->location())) {
            m_fs.remove(platform::joinPath(item->location(), name));
        }
    }
    --m_itemCount;
    delete item;
}

ItemRecord* Database::addItem(std::unique_ptr<ItemRecord> owned) {
    CategoryRecord* category = findCategory(owned->categoryId);
    if (category == nullptr) {
        return nullptr;
    }
    ItemRecord& item = *owned.release();
    if (item.kind() == 0) {
        const std::uint8_t cls = category->categoryClass();
        if (cls == kClassUrl || cls == kClassFile || cls == kClassRemind) {
            item.flags |= static_cast<std::uint32_t>(cls >> 4);
        }
    }
    item.m_inDatabase = true;
    item.m_inRemindIndex = false;
    item.menuId = kNoMenuId;
    appendToChain(*category, item);
    ++m_itemCount;
    fileAddress(item);
    if (takesMenuSlot(item, *category)) {
        giveMenuSlot(item);
    }
    if (m_observer != nullptr) {
        m_observer->itemAdded(item);
    }
    return &item;
}

void Database::deleteItems(std::span<ItemRecord* const> items, bool deleteFiles) {
    std::vector<CategoryRecord*> touched;
    for (ItemRecord* item : items) {
        CategoryRecord* category = findCategory(item->categoryId);
        if (category == nullptr) {
            continue;
        }
        unlinkFromChain(*category, *item);
        if (touched.empty() || touched.back() != category) {
            touched.push_back(category);
        }
        unindexItem(*item);
        freeItem(item, deleteFiles);
    }
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    for (CategoryRecord* category : touched) {
        renumberChain(*category);
    }
}

void Database::moveItem(ItemRecord& item, CategoryRecord& target) {
    CategoryRecord* source = findCategory(item.categoryId);
    if (source == nullptr || source == &target) {
        return;
    }
    unlinkFromChain(*source, item);
    renumberChain(*source);
    appendToChain(target, item);
    const bool menuBefore = item.menuId != kNoMenuId;
    const bool menuAfter = takesMenuSlot(item, target);
    if (menuBefore && !menuAfter) {
        takeMenuSlot(item);
    } else if (!menuBefore && menuAfter) {
        giveMenuSlot(item);
    }
    if (item.m_inRemindIndex && !takesReminder(item, target)) {
        unfileReminder(item);
    } else if (!item.m_inRemindIndex && takesReminder(item, target) &&
               !takesReminder(item, *source)) {
        const platform::LocalTime now = m_clock.now();
        fileReminder(item, &now);
    }
}

void Database::setItemAddress(ItemRecord& item, std::string_view address) {
    if (item.m_inDatabase) {
        unfileAddress(item);
    }
    item.setText(ItemRecord::kAddress, address);
    if (item.m_inDatabase) {
        fileAddress(item);
    }
}

}  // namespace lh::store

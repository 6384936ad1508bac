// The Database's indexes: favourites menu, reminders, addresses, and the duplicate tests.

#include <algorithm>
#include <new>

#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/CaseFold.h"

namespace lh::store {

// --- Indexes --------------------------------------------------------------------------------

const ItemRecord* Database::findMenuItem(std::uint32_t menuId) const {
    const auto it = m_menuIndex.find(menuId);
    return it == m_menuIndex.end() ? nullptr : it->second;
}

const std::vector<const ItemRecord*>* Database::findReminders(RemindKey key) const {
    const auto it = m_remindIndex.find(key);
    return it == m_remindIndex.end() ? nullptr : &it->second;
}

void Database::addReminder(RemindKey key, ItemId id) {
    ItemRecord* item = mutableItem(id);
    if (item == nullptr) {
        return;
    }
    auto& list = m_remindIndex[key];
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(item);
    }
    item->m_inRemindIndex = true;
}

void Database::removeReminder(RemindKey key, ItemId id) {
    ItemRecord* item = mutableItem(id);
    const auto it = m_remindIndex.find(key);
    if (item == nullptr || it == m_remindIndex.end()) {
        return;
    }
    if (std::erase(it->second, item) > 0) {
        item->m_inRemindIndex = false;
    }
    if (it->second.empty()) {
        m_remindIndex.erase(it);
    }
}

bool Database::renumberMenu() {
    for (const auto& [slot, item] : m_menuIndex) {
        edit(*item).m_menuId = kNoMenuId;
    }
    m_menuIndex.clear();
    m_nextMenuId = 0;
    try {
        walkFileOrder(findCategory(kFavoritesId), [&](const CategoryRecord& category,
                                                      const CategoryRecord*, std::uint8_t) {
            for (ItemRecord* item = category.m_firstItem; item != nullptr; item = item->m_next) {
                if (takesMenuSlot(*item, placementOf(category))) {
                    item->m_menuId = m_nextMenuId++;
                    m_menuIndex.insert(item->m_menuId, item);
                }
            }
        });
    } catch (const std::bad_alloc&) {
        m_observers.notify(&DatabaseObserver::allocationFailed,
                           std::string_view("Insert Menu error!"));
        return false;
    }
    notify(&DatabaseObserver::favouritesRenumbered);
    return true;
}

bool Database::inUrlScope(const CategoryRecord& category, const CategoryRecord& start) const {
    // The scope is `start`, its later siblings and everything below them: exactly the categories
    // whose chain of back links (previous sibling or parent) passes through `start`.
    if (&start == m_root) {
        return true;  // everything; the walk below could be as long as a row of siblings
    }
    if (start.m_backLink != nullptr && start.m_backLink == m_root &&
        m_root->m_firstChild == &start && m_root->m_nextSibling == nullptr) {
        return &category != m_root;  // "WebFavorite": everything but the root's own items
    }
    for (const CategoryRecord* c = &category; c != nullptr; c = c->m_backLink) {
        if (c == &start) {
            return true;
        }
    }
    return false;
}

bool Database::containsAddress(CategoryId startId, std::string_view url) const {
    const CategoryRecord* start = findCategory(startId);
    if (start == nullptr) {
        return false;
    }
    if (url.empty()) {
        // Empty addresses are not indexed; walk.
        return walkSearchOrder(start, [](const CategoryRecord& c) {
            return walkItems(c, [](const ItemRecord& item) { return item.address().empty(); });
        });
    }
    if (!m_addressesBuilt) {
        buildAddressIndex();
    }
    return m_addresses.anyMatch(url, [&](const ItemRecord& item) {
        const CategoryRecord* category = findCategory(item.m_categoryId);
        return category != nullptr && inUrlScope(*category, *start);
    });
}

void Database::fileAddress(ItemRecord& item) {
    if (m_addressesBuilt) {
        m_addresses.insert(item);
    }
}

void Database::unfileAddress(ItemRecord& item) {
    if (m_addressesBuilt) {
        m_addresses.erase(item);
    }
}

void Database::buildAddressIndex() const {
    m_addresses.clear();
    m_addresses.reserve(m_itemCount);
    walkSearchOrder(m_root, [this](const CategoryRecord& c) {
        return walkItems(c, [this](const ItemRecord& item) {
            m_addresses.insert(item);
            return false;
        });
    });
    m_addressesBuilt = true;
}

}  // namespace lh::store

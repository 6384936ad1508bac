// The Database's indexes: favourites menu, reminders, addresses, and the duplicate tests.

#include <algorithm>
#include <new>

#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/CaseFold.h"

namespace lh::store {

// --- Indexes --------------------------------------------------------------------------------

ItemRecord* Database::findMenuItem(std::uint32_t menuId) const {
    const auto it = m_menuIndex.find(menuId);
    return it == m_menuIndex.end() ? nullptr : it->second;
}

const std::vector<ItemRecord*>* Database::findReminders(RemindKey key) const {
    const auto it = m_remindIndex.find(key);
    return it == m_remindIndex.end() ? nullptr : &it->second;
}

void Database::addReminder(RemindKey key, ItemRecord& item) {
    auto& list = m_remindIndex[key];
    if (std::find(list.begin(), list.end(), &item) == list.end()) {
        list.push_back(&item);
    }
    item.m_inRemindIndex = true;
}

void Database::removeReminder(RemindKey key, ItemRecord& item) {
    const auto it = m_remindIndex.find(key);
    if (it == m_remindIndex.end()) {
        return;
    }
    if (std::erase(it->second, &item) > 0) {
        item.m_inRemindIndex = false;
    }
    if (it->second.empty()) {
        m_remindIndex.erase(it);
    }
}

int Database::renumberMenu() {
    for (auto& [id, item] : m_menuIndex) {
        item->menuId = kNoMenuId;
    }
    m_menuIndex.clear();
    m_nextMenuId = 0;
    CategoryRecord* favourites = findCategory(kFavoritesId);
    try {
        walkFileOrder(favourites, [&](CategoryRecord& category, CategoryRecord*, std::uint8_t) {
            for (ItemRecord* item = category.firstItem; item != nullptr; item = item->next) {
                if (takesMenuSlot(*item, category)) {
                    item->menuId = m_nextMenuId++;
                    m_menuIndex.emplace_hint(m_menuIndex.end(), item->menuId, item);
                }
            }
        });
    } catch (const std::bad_alloc&) {
        if (m_observer != nullptr) {
            m_observer->allocationFailed("Insert Menu error!");
        }
        return 0;
    }
    if (m_observer != nullptr) {
        m_observer->favouritesRenumbered();
    }
    return 1;
}

bool Database::inUrlScope(const CategoryRecord& category, const CategoryRecord& start) const {
    // The scope is `start`, its later siblings and everything below them: exactly the categories
    // whose chain of back links (previous sibling or parent) passes through `start`.
    if (&start == m_root) {
        return true;  // everything; the walk below could be as long as a row of siblings
    }
    if (start.backLink != nullptr && start.backLink == m_root && m_root->firstChild == &start &&
        m_root->nextSibling == nullptr) {
        return &category != m_root;  // "WebFavorite": everything but the root's own items
    }
    for (const CategoryRecord* c = &category; c != nullptr; c = c->backLink) {
        if (c == &start) {
            return true;
        }
    }
    return false;
}

bool Database::countUrl(const CategoryRecord* start, std::string_view url) const {
    if (start == nullptr) {
        return false;
    }
    if (url.empty()) {
        // Empty addresses are not indexed; walk.
        return walkSearchOrder(const_cast<CategoryRecord*>(start), [](CategoryRecord& c) {
            return walkItems(c, [](ItemRecord& item) { return item.address().empty(); });
        });
    }
    if (!m_addressesBuilt) {
        buildAddressIndex();
    }
    return m_addresses.anyMatch(url, [&](const ItemRecord& item) {
        const CategoryRecord* category = findCategory(item.categoryId);
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
    walkSearchOrder(m_root, [this](CategoryRecord& c) {
        return walkItems(c, [this](ItemRecord& item) {
            m_addresses.insert(item);
            return false;
        });
    });
    m_addressesBuilt = true;
}

bool Database::countFile(const CategoryRecord& category, std::string_view fileName,
                         std::string_view folder) const {
    const auto matches = [&](ItemRecord& item) {
        return item.kind() == kKindFile && text::equalsIgnoringCase(item.title(), fileName) &&
               text::equalsIgnoringCase(item.location(), folder);
    };
    if (walkItems(category, matches)) {
        return true;
    }
    return walkDescendants(category, [&](CategoryRecord& c) { return walkItems(c, matches); });
}

}  // namespace lh::store

// The Database's side of undo: categories and items taken out whole and put back where they
// were, and each recorded change undone.

#include <algorithm>
#include <utility>

#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::store {

namespace {

std::size_t recordBytes(const ItemRecord& item) {
    const std::size_t texts = item.address().size() + item.location().size() + item.title().size() +
                              item.comment().size();
    return sizeof(ItemRecord) + (texts == 0 ? 0 : texts + 4 * sizeof(std::uint32_t));
}

std::size_t recordBytes(const CategoryRecord& c) {
    return sizeof(CategoryRecord) + c.name().size() + c.memo().size() + c.folderPath().size();
}

template <typename... Fn>
struct Overloaded : Fn... {
    using Fn::operator()...;
};

}  // namespace

// --- Kept records ----------------------------------------------------------------------------

KeptRecords::~KeptRecords() {
    release();
}

KeptRecords::KeptRecords(KeptRecords&& other) noexcept
    : m_categories(std::move(other.m_categories)),
      m_parent(other.m_parent),
      m_row(other.m_row),
      m_items(std::exchange(other.m_items, nullptr)),
      m_bytes(std::exchange(other.m_bytes, 0)) {
    other.m_categories.clear();
}

KeptRecords& KeptRecords::operator=(KeptRecords&& other) noexcept {
    if (this != &other) {
        release();
        m_categories = std::move(other.m_categories);
        other.m_categories.clear();
        m_parent = other.m_parent;
        m_row = other.m_row;
        m_items = std::exchange(other.m_items, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
    }
    return *this;
}

void KeptRecords::release() {
    const auto freeChain = [](const ItemRecord* item) {
        while (item != nullptr) {
            const ItemRecord* next = item->next();
            delete const_cast<ItemRecord*>(item);
            item = next;
        }
    };
    for (const auto& category : m_categories) {
        freeChain(category->firstItem());
    }
    m_categories.clear();
    freeChain(std::exchange(m_items, nullptr));
    m_bytes = 0;
}

std::size_t keptBytes(const Change& change) {
    return sizeof(Change) +
           std::visit(Overloaded{
                          [](const CategoryTakenOut& c) { return c.kept.bytes(); },
                          [](const ItemsTakenOut& c) { return c.kept.bytes(); },
                          [](const CategoryTextChanged& c) { return c.before.size(); },
                          [](const ItemsAdded& c) { return c.ids.size() * sizeof(ItemId); },
                          [](const ItemsMoved& c) { return c.from.size() * sizeof(ItemPlace); },
                          [](const ItemEdited& c) {
                              const ItemEdit& e = *c.before;
                              return sizeof(ItemEdit) + e.address.value_or("").size() +
                                     e.location.value_or("").size() + e.title.value_or("").size() +
                                     e.comment.value_or("").size();
                          },
                          [](const auto&) { return std::size_t(0); },
                      },
                      change);
}

// --- Undoing ---------------------------------------------------------------------------------

void Database::revert(Change& change) {
    std::visit(Overloaded{
                   [&](CategoryAdded& c) {
                       CategoryRecord* category = mutableCategory(c.id);
                       if (category != nullptr && category != m_root) {
                           KeptRecords kept = takeOutCategory(*category);
                           journal([&] { return CategoryTakenOut{std::move(kept)}; });
                       }
                   },
                   [&](CategoryTakenOut& c) { putBackCategory(c.kept); },
                   [&](CategoryMoved& c) { moveCategoryTo(c.id, c.fromParent, c.fromRow); },
                   [&](CategoryTextChanged& c) {
                       setCategoryText(c.id,
                                       c.field == CategoryField::Name ? &CategoryRecord::m_name
                                                                      : &CategoryRecord::m_memo,
                                       c.before, c.field);
                   },
                   [&](CategoryClassChanged& c) { setCategoryClass(c.id, c.before); },
                   [&](ItemsAdded& c) {
                       KeptRecords kept = takeOutItems(c.ids, nullptr);
                       if (!kept.empty()) {
                           journal([&] { return ItemsTakenOut{std::move(kept)}; });
                       }
                   },
                   [&](ItemsTakenOut& c) { putBackItems(c.kept); },
                   [&](ItemEdited& c) { editItem(c.id, *c.before); },
                   [&](ItemsMoved& c) { placeItems(c.from); },
               },
               change);
}

ItemEdit Database::valuesOf(const ItemRecord& item, const ItemEdit& which) const {
    ItemEdit values;
    const auto take = [](auto& out, const auto& set, auto value) {
        if (set) {
            out = value;
        }
    };
    take(values.address, which.address, std::string(item.address()));
    take(values.location, which.location, std::string(item.location()));
    take(values.title, which.title, std::string(item.title()));
    take(values.comment, which.comment, std::string(item.comment()));
    take(values.rate, which.rate, item.m_rate);
    take(values.flags, which.flags, item.m_flags);
    take(values.fileSize, which.fileSize, item.m_fileSize);
    take(values.createTime, which.createTime, item.m_createTime);
    take(values.remindTime, which.remindTime, item.m_remindTime);
    return values;
}

// --- Categories ------------------------------------------------------------------------------

std::vector<platform::IoError> Database::removeCategoryKept(CategoryId id, bool deleteFiles) {
    std::vector<platform::IoError> failures;
    CategoryRecord* removed = mutableCategory(id);
    if (removed == nullptr || removed == m_root) {
        return failures;
    }
    if (deleteFiles) {
        // The files go for good; the records are kept.
        const auto deleteFilesOf = [&](const CategoryRecord& c) {
            walkItems(c, [&](const ItemRecord& item) {
                if (item.kind() == kKindFile) {
                    deleteFileOf(item, failures);
                }
                return false;
            });
            return false;
        };
        deleteFilesOf(*removed);
        walkDescendants(*removed, deleteFilesOf);
    }
    KeptRecords kept = takeOutCategory(*removed);
    journal([&] { return CategoryTakenOut{std::move(kept)}; });
    return failures;
}

KeptRecords Database::takeOutCategory(CategoryRecord& top) {
    KeptRecords kept;
    kept.m_parent = top.m_parent->m_id;
    kept.m_row = rowOf(top);
    const CategoryRows rows{kept.m_parent, kept.m_row, kept.m_row};
    notify(&DatabaseObserver::categoriesAboutToBeRemoved, rows);
    unlinkCategory(top);  // its former siblings are not walked below
    std::vector<const CategoryRecord*> order;
    walkSearchOrder(&top, [&](const CategoryRecord& c) {
        order.push_back(&c);
        return false;
    });
    kept.m_categories.reserve(order.size());
    for (const CategoryRecord* c : order) {
        for (ItemRecord* item = c->m_firstItem; item != nullptr; item = item->m_next) {
            releaseItem(*item, kept);
        }
        kept.m_bytes += recordBytes(*c);
        kept.m_categories.push_back(std::move(m_categories.extract(c->m_id).mapped()));
    }
    notify(&DatabaseObserver::categoriesRemoved, rows);
    return kept;
}

void Database::putBackCategory(KeptRecords& kept) {
    CategoryRecord* parent = mutableCategory(kept.m_parent);
    if (parent == nullptr || kept.m_categories.empty()) {
        return;
    }
    CategoryRecord& top = *kept.m_categories.front();
    const std::uint32_t row = std::min(kept.m_row, parent->m_childCount);
    const CategoryRows rows{parent->m_id, row, row};
    notify(&DatabaseObserver::categoriesAboutToBeInserted, rows);
    std::vector<ItemRecord*> items;
    for (auto& owned : kept.m_categories) {
        for (ItemRecord* item = owned->m_firstItem; item != nullptr; item = item->m_next) {
            items.push_back(item);
        }
        const CategoryId id = owned->m_id;
        m_categories.try_emplace(id, std::move(owned));
    }
    kept.m_categories.clear();
    kept.m_bytes = 0;
    linkChildAt(*parent, top, row);
    setSubtreeDepths(top);
    restoreItems(items);
    notify(&DatabaseObserver::categoriesInserted, rows);
    journal([&] { return CategoryAdded{top.m_id}; });
}

void Database::linkChildAt(CategoryRecord& parent, CategoryRecord& child, std::uint32_t row) {
    CategoryRecord* at = parent.m_firstChild;
    for (std::uint32_t i = 0; i < row && at != nullptr; ++i) {
        at = at->m_nextSibling;
    }
    if (at == nullptr) {
        linkLastChild(parent, child);
        return;
    }
    child.m_parent = &parent;
    child.m_depth = static_cast<std::uint16_t>(parent.m_depth + 1);
    child.m_nextSibling = at;
    child.m_backLink = at->m_backLink;
    if (parent.m_firstChild == at) {
        parent.m_firstChild = &child;
    } else {
        at->m_backLink->m_nextSibling = &child;
    }
    at->m_backLink = &child;
    ++parent.m_childCount;
}

void Database::moveCategoryTo(CategoryId id, CategoryId parentId, std::uint32_t row) {
    CategoryRecord* moved = mutableCategory(id);
    CategoryRecord* parent = mutableCategory(parentId);
    if (moved == nullptr || parent == nullptr || moved == m_root ||
        isSameOrBelow(*parent, *moved)) {
        return;
    }
    const std::uint32_t fromRow = rowOf(*moved);
    const CategoryRows rows{moved->m_parent->m_id, fromRow, fromRow};
    const bool sameParent = moved->m_parent == parent;
    // Counted as beginMoveRows counts it: among the rows before the move.
    const std::uint32_t toRow = sameParent && row > fromRow ? row + 1 : row;
    if (!(sameParent && row == fromRow)) {
        notify(&DatabaseObserver::categoriesAboutToBeMoved, rows, parentId, toRow);
        unlinkCategory(*moved);
        linkChildAt(*parent, *moved, row);
        setSubtreeDepths(*moved);
        notify(&DatabaseObserver::categoriesMoved, rows, parentId, toRow);
    }
    journal([&] { return CategoryMoved{id, rows.parent, fromRow}; });
}

// --- Items -----------------------------------------------------------------------------------

std::vector<platform::IoError> Database::deleteItemsKept(std::span<const ItemId> ids,
                                                         bool deleteFiles) {
    std::vector<platform::IoError> failures;
    KeptRecords kept = takeOutItems(ids, deleteFiles ? &failures : nullptr);
    if (!kept.empty()) {
        journal([&] { return ItemsTakenOut{std::move(kept)}; });
    }
    return failures;
}

KeptRecords Database::takeOutItems(std::span<const ItemId> ids,
                                   std::vector<platform::IoError>* fileFailures) {
    KeptRecords kept;
    // From the last row up: pushed on the front, they end up in the order they go back in.
    removeItemRuns(ids, [&](CategoryRecord& category, ItemRecord& item) {
        unlinkFromChain(category, item);
        if (fileFailures != nullptr && item.kind() == kKindFile) {
            deleteFileOf(item, *fileFailures);
        }
        releaseItem(item, kept);
        item.m_next = kept.m_items;
        kept.m_items = &item;
    });
    return kept;
}

void Database::putBackItems(KeptRecords& kept) {
    std::vector<ItemRecord*> items;
    std::vector<ItemId> ids;
    for (ItemRecord* item = kept.m_items; item != nullptr; item = item->m_next) {
        items.push_back(item);
        ids.push_back(item->m_id);
    }
    kept.m_items = nullptr;
    kept.m_bytes = 0;
    restoreItems(items);
    insertAtPositions(items);
    journal([&] { return ItemsAdded{std::move(ids)}; });
}

void Database::placeItems(const std::vector<ItemPlace>& places) {
    struct Moving {
        ItemRecord* item;
        const CategoryRecord* to;
        std::uint32_t position;
    };
    std::vector<Moving> moving;
    std::vector<ItemPlace> from;
    std::vector<ItemId> ids;
    for (const ItemPlace& place : places) {
        ItemRecord* item = mutableItem(place.id);
        const CategoryRecord* to = findCategory(place.category);
        if (item != nullptr && to != nullptr) {
            moving.push_back({item, to, place.position});
            from.push_back({item->m_id, item->m_categoryId, item->m_position});
            ids.push_back(item->m_id);
        }
    }
    removeItemRuns(
        ids, [&](CategoryRecord& category, ItemRecord& item) { unlinkFromChain(category, item); });
    std::vector<ItemRecord*> items;
    for (const auto& [item, to, position] : moving) {
        const Placement old = placementOf(*findCategory(item->m_categoryId));
        item->m_categoryId = to->m_id;
        item->m_position = position;
        refile(*item, old, placementOf(*to));
        items.push_back(item);
    }
    std::sort(items.begin(), items.end(), [](const ItemRecord* a, const ItemRecord* b) {
        return a->m_categoryId != b->m_categoryId ? a->m_categoryId < b->m_categoryId
                                                  : a->m_position < b->m_position;
    });
    insertAtPositions(items);
    journal([&] { return ItemsMoved{std::move(from)}; });
}

void Database::releaseItem(ItemRecord& item, KeptRecords& kept) {
    // The slot number stays in the record: it orders the fresh slots when the item comes back.
    if (item.m_menuId != kNoMenuId) {
        const auto it = m_menuIndex.find(item.m_menuId);
        if (it != m_menuIndex.end() && it->second == &item) {
            m_menuIndex.erase(it);
        }
    }
    if (item.m_inRemindIndex) {
        unfileReminder(item);
        item.m_inRemindIndex = true;  // the kept record remembers it rang
    }
    unfileAddress(item);
    m_itemsById[item.m_id - m_firstItemId] = nullptr;
    --m_itemCount;
    count(item, -1);
    kept.m_bytes += recordBytes(item);
}

void Database::restoreItems(std::span<ItemRecord* const> items) {
    const RemindKey firstOnceKey = currentOnceKey();
    for (ItemRecord* item : items) {
        m_itemsById[item->m_id - m_firstItemId] = item;
        ++m_itemCount;
        count(*item, +1);
        fileAddress(*item);
        const Placement where = placementOf(*findCategory(item->m_categoryId));
        const bool rang = item->m_inRemindIndex;
        item->m_inRemindIndex = false;
        if (rang && takesReminder(*item, where)) {
            fileReminder(*item, firstOnceKey);
        }
    }
    // Fresh slots, in the order of the old ones (an old slot may belong to another item now).
    std::vector<ItemRecord*> links;
    for (ItemRecord* item : items) {
        if (item->m_menuId != kNoMenuId) {
            links.push_back(item);
        }
    }
    std::stable_sort(links.begin(), links.end(), [](const ItemRecord* a, const ItemRecord* b) {
        return a->m_menuId < b->m_menuId;
    });
    for (ItemRecord* item : links) {
        item->m_menuId = kNoMenuId;
        fitMenuSlot(*item, placementOf(*findCategory(item->m_categoryId)));
    }
}

void Database::insertAtPositions(std::span<ItemRecord* const> items) {
    for (std::size_t i = 0; i < items.size();) {
        CategoryRecord& category = *mutableCategory(items[i]->m_categoryId);
        ItemRecord* cursor = category.m_firstItem;  // the item at row `at`
        std::uint32_t at = 0;
        std::size_t end = i;
        while (end < items.size() && items[end]->m_categoryId == category.m_id) {
            ++end;
        }
        // One pair of events per run of rows that follow one another.
        for (std::size_t k = i; k < end;) {
            std::size_t runEnd = k + 1;
            while (runEnd < end && items[runEnd]->m_position == items[runEnd - 1]->m_position + 1) {
                ++runEnd;
            }
            const std::uint32_t first = items[k]->m_position;
            while (at < first && cursor != nullptr) {
                cursor = cursor->m_next;
                ++at;
            }
            const auto count = static_cast<std::uint32_t>(runEnd - k);
            const ItemRows rows{category.m_id, at, at + count - 1};
            notify(&DatabaseObserver::itemsAboutToBeInserted, rows);
            for (std::size_t j = k; j < runEnd; ++j) {
                insertInChain(category, *items[j], cursor);
            }
            at += count;
            notify(&DatabaseObserver::itemsInserted, rows);
            k = runEnd;
        }
        renumberChain(category);
        i = end;
    }
}

}  // namespace lh::store

// The Database's items: ids, chains, adding, editing, moving and deleting.

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <unordered_set>

#include "platform/Paths.h"
#include "store/Database.h"

namespace lh::store {

namespace {

// Counts marked positions below a given one in O(log n): how many items of a chain have left it
// so far during one moveItems call.
class MarkedPositions {
public:
    explicit MarkedPositions(std::size_t size) : m_tree(size + 1, 0) {}
    void mark(std::uint32_t position) {
        for (std::size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1)) {
            ++m_tree[i];
        }
    }
    // Marked positions below `position`.
    std::uint32_t below(std::uint32_t position) const {
        std::uint32_t count = 0;
        for (std::size_t i = std::min<std::size_t>(position, m_tree.size() - 1); i > 0;
             i -= i & (~i + 1)) {
            count += m_tree[i];
        }
        return count;
    }

private:
    std::vector<std::uint32_t> m_tree;  // a Fenwick tree over positions 0..size-1
};

}  // namespace

// --- Ids and chains --------------------------------------------------------------------------

const ItemRecord* Database::findItem(ItemId id) const {
    if (id < m_firstItemId || id - m_firstItemId >= m_itemsById.size()) {
        return nullptr;
    }
    return m_itemsById[id - m_firstItemId];
}

void Database::appendToChain(CategoryRecord& category, ItemRecord& item) {
    insertInChain(category, item, nullptr);
    item.m_position = category.m_itemCount - 1;
}

void Database::insertInChain(CategoryRecord& category, ItemRecord& item, ItemRecord* before) {
    item.m_categoryId = category.m_id;
    item.m_next = before;
    item.m_prev = before != nullptr ? before->m_prev : category.m_lastItem;
    if (item.m_prev != nullptr) {
        item.m_prev->m_next = &item;
    } else {
        category.m_firstItem = &item;
    }
    if (before != nullptr) {
        before->m_prev = &item;
    } else {
        category.m_lastItem = &item;
    }
    ++category.m_itemCount;
}

void Database::unlinkFromChain(CategoryRecord& category, ItemRecord& item) {
    if (item.m_prev != nullptr) {
        item.m_prev->m_next = item.m_next;
    } else {
        category.m_firstItem = item.m_next;
    }
    if (item.m_next != nullptr) {
        item.m_next->m_prev = item.m_prev;
    } else {
        category.m_lastItem = item.m_prev;
    }
    item.m_next = item.m_prev = nullptr;
    --category.m_itemCount;
}

void Database::renumberChain(CategoryRecord& category) {
    std::uint32_t position = 0;
    for (ItemRecord* item = category.m_firstItem; item != nullptr; item = item->m_next) {
        item->m_position = position++;
    }
}

// --- Menu slots and reminders ----------------------------------------------------------------

bool Database::takesMenuSlot(const ItemRecord& item, Placement where) {
    return where.categoryClass == kClassUrl && item.kind() != kKindFile &&
           item.kind() != kKindRemind;
}

bool Database::takesReminder(const ItemRecord& item, Placement where) {
    if (where.id == kRecycleId || where.id == kSilentRemindersId) {
        return false;
    }
    return where.categoryClass == kClassRemind || item.kind() == kKindRemind;
}

void Database::giveMenuSlot(ItemRecord& item) {
    if (m_nextMenuId == kNoMenuId) {
        (void)renumberMenu();  // 32-bit slots ran out: hand them out afresh
    }
    item.m_menuId = m_nextMenuId++;
    m_menuIndex.insert(item.m_menuId, &item);
}

void Database::takeMenuSlot(ItemRecord& item) {
    if (item.m_menuId == kNoMenuId) {
        return;
    }
    const auto it = m_menuIndex.find(item.m_menuId);
    if (it != m_menuIndex.end() && it->second == &item) {
        m_menuIndex.erase(it);
    }
    item.m_menuId = kNoMenuId;
}

RemindKey Database::currentOnceKey() const {
    return dueRemindKeys(m_clock.now())[0];
}

void Database::fileReminder(ItemRecord& item, RemindKey firstOnceKey) {
    const auto key = remindKey(item.m_flags, item.m_remindTime);
    if (!key || (isOnceReminder(item.m_flags) && *key < firstOnceKey)) {
        return;
    }
    addReminder(*key, item.m_id);
}

void Database::unfileReminder(ItemRecord& item) {
    if (!item.m_inRemindIndex) {
        return;
    }
    if (const auto key = remindKey(item.m_flags, item.m_remindTime)) {
        removeReminder(*key, item.m_id);
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

void Database::fitMenuSlot(ItemRecord& item, Placement where) {
    const bool wanted = takesMenuSlot(item, where);
    if (item.m_menuId != kNoMenuId && !wanted) {
        takeMenuSlot(item);
    } else if (item.m_menuId == kNoMenuId && wanted) {
        giveMenuSlot(item);
    }
}

void Database::refile(ItemRecord& item, Placement from, Placement to) {
    fitMenuSlot(item, to);
    if (item.m_inRemindIndex && !takesReminder(item, to)) {
        unfileReminder(item);
    } else if (!item.m_inRemindIndex && takesReminder(item, to) && !takesReminder(item, from)) {
        fileReminder(item, currentOnceKey());
    }
}

void Database::unindexItem(ItemRecord& item) {
    takeMenuSlot(item);
    unfileReminder(item);
    unfileAddress(item);
}

void Database::freeItem(ItemRecord* item, std::vector<platform::IoError>* failures) {
    if (failures != nullptr && item->kind() == kKindFile) {
        deleteFileOf(*item, *failures);
    }
    m_itemsById[item->m_id - m_firstItemId] = nullptr;
    --m_itemCount;
    count(*item, -1);
    delete item;
}

void Database::deleteFileOf(const ItemRecord& item, std::vector<platform::IoError>& failures) {
    // Only a plain file name inside an absolute folder: a title of "..", "a/../../x" or a
    // relative folder must never reach a file outside the item's folder.
    const std::string_view name = item.title();
    const bool plainName = !name.empty() && name != "." && name != ".." &&
                           name.find(platform::kPathSeparator) == std::string_view::npos;
    if (!plainName || !platform::isAbsolutePath(item.location())) {
        return;
    }
    // remove() unlinks the path itself: a link goes, not what it points to, and a folder is
    // refused. A file already gone (or a folder path that is no longer one) is not a failure.
    std::string path = platform::joinPath(item.location(), name);
    const int error = m_fs.remove(path);
    if (error != 0 && error != ENOENT && error != ENOTDIR) {
        failures.emplace_back("delete", std::move(path), error);
    }
}

// --- Adding and editing ----------------------------------------------------------------------

const ItemRecord* Database::addItem(CategoryId categoryId, const ItemFields& fields) {
    CategoryRecord* category = mutableCategory(categoryId);
    if (category == nullptr || m_nextItemId == kLastItemId) {
        return nullptr;
    }
    std::unique_ptr<ItemRecord> owned =
        ItemRecord::create(fields.address, fields.location, fields.title, fields.comment);
    ItemRecord& item = *owned;
    item.m_rate = fields.rate;
    item.m_flags = fields.flags;
    item.m_fileSize = fields.fileSize;
    item.m_createTime = fields.createTime;
    item.m_remindTime = fields.remindTime;
    if (item.kind() == 0) {
        const std::uint8_t cls = category->categoryClass();
        if (cls == kClassUrl || cls == kClassFile || cls == kClassRemind) {
            item.m_flags |= static_cast<std::uint32_t>(cls >> 4);
        }
    }
    const ItemRows rows{categoryId, category->m_itemCount, category->m_itemCount};
    notify(&DatabaseObserver::itemsAboutToBeInserted, rows);
    (void)registerItem(*owned.release());  // ids are left, as checked above
    appendToChain(*category, item);
    ++m_itemCount;
    fileAddress(item);
    fitMenuSlot(item, placementOf(*category));
    notify(&DatabaseObserver::itemsInserted, rows);
    journal([&] { return ItemsAdded{{item.m_id}}; });
    return &item;
}

void Database::editItem(ItemId id, const ItemEdit& change) {
    ItemRecord* item = mutableItem(id);
    if (item == nullptr) {
        return;
    }
    // Only what really changes is told and done.
    ItemEdit edit = change;
    const auto same = [](auto& field, const auto& current) {
        if (field && *field == current) {
            field.reset();
        }
    };
    same(edit.address, item->address());
    same(edit.location, item->location());
    same(edit.title, item->title());
    same(edit.comment, item->comment());
    same(edit.rate, item->m_rate);
    same(edit.flags, item->m_flags);
    same(edit.fileSize, item->m_fileSize);
    same(edit.createTime, item->m_createTime);
    same(edit.remindTime, item->m_remindTime);
    const ItemFieldSet fields = edit.fields();
    if (fields == 0) {
        return;
    }
    std::unique_ptr<ItemEdit> before =
        recording() ? std::make_unique<ItemEdit>(valuesOf(*item, edit)) : nullptr;
    notify(&DatabaseObserver::itemAboutToChange, *item, fields);
    const Placement where = placementOf(*findCategory(item->m_categoryId));
    // The reminder entry stays as it is (a fired one-time reminder stays out) unless the kind,
    // the schedule type or the key changes.
    const std::uint32_t newFlags = edit.flags.value_or(item->m_flags);
    const DateTimeStamp newTime = edit.remindTime.value_or(item->m_remindTime);
    const bool scheduleChanges =
        ((newFlags ^ item->m_flags) & (kKindMask | kScheduleMask)) != 0 ||
        remindKey(newFlags, newTime) != remindKey(item->m_flags, item->m_remindTime);
    if (scheduleChanges) {
        unfileReminder(*item);
    }
    count(*item, -1);
    if (edit.address) {
        unfileAddress(*item);
        item->setText(ItemRecord::kAddress, *edit.address);
        fileAddress(*item);
    }
    if (edit.location) {
        item->setText(ItemRecord::kLocation, *edit.location);
    }
    if (edit.title) {
        item->setText(ItemRecord::kTitle, *edit.title);
    }
    if (edit.comment) {
        item->setText(ItemRecord::kComment, *edit.comment);
    }
    item->m_rate = edit.rate.value_or(item->m_rate);
    item->m_flags = edit.flags.value_or(item->m_flags);
    item->m_fileSize = edit.fileSize.value_or(item->m_fileSize);
    item->m_createTime = edit.createTime.value_or(item->m_createTime);
    item->m_remindTime = edit.remindTime.value_or(item->m_remindTime);
    count(*item, +1);
    if (edit.flags) {
        fitMenuSlot(*item, where);  // the kind decides the menu slot
    }
    if (scheduleChanges && takesReminder(*item, where)) {
        fileReminder(*item, currentOnceKey());
    }
    notify(&DatabaseObserver::itemChanged, *item, fields);
    journal([&] { return ItemEdited{id, std::move(before)}; });
}

// --- Moving ----------------------------------------------------------------------------------

void Database::moveItems(std::span<const ItemId> ids, CategoryId targetId, ItemId beforeId) {
    CategoryRecord* target = mutableCategory(targetId);
    if (target == nullptr) {
        return;
    }
    std::vector<ItemRecord*> moving;
    std::unordered_set<ItemId> seen;
    moving.reserve(ids.size());
    for (ItemId id : ids) {
        if (ItemRecord* i = mutableItem(id); i != nullptr && seen.insert(id).second) {
            moving.push_back(i);
        }
    }
    // The run goes in front of `before`, or of the first item after it that stays.
    ItemRecord* before = mutableItem(beforeId);
    if (before != nullptr && before->m_categoryId != targetId) {
        before = nullptr;
    }
    while (before != nullptr && seen.contains(before->m_id)) {
        before = before->m_next;
    }
    // Rows are counted as the observers see them after each run: positions are exact when the
    // call begins, the runs that left a chain are counted per chain, and the runs placed so far
    // lie in front of `before`.
    const std::uint32_t anchor = before != nullptr ? before->m_position : target->m_itemCount;
    std::unordered_map<CategoryId, MarkedPositions> left;
    const auto leftOf = [&](const CategoryRecord& c) -> MarkedPositions& {
        return left.try_emplace(c.m_id, c.m_itemCount).first->second;
    };
    std::uint32_t placed = 0;
    const auto rowNow = [&](const CategoryRecord& c, std::uint32_t position) {
        std::uint32_t row = position - leftOf(c).below(position);
        if (c.m_id == targetId && anchor <= position) {
            row += placed;
        }
        return row;
    };
    std::vector<ItemPlace> places;
    if (recording()) {
        places.reserve(moving.size());
        for (const ItemRecord* item : moving) {
            places.push_back({item->m_id, item->m_categoryId, item->m_position});
        }
    }
    const MarkedPositions& targetLeft = leftOf(*target);
    for (std::size_t i = 0; i < moving.size();) {
        // A run: next in the list, in the same chain, one after the other.
        std::size_t end = i + 1;
        while (end < moving.size() && moving[end]->m_categoryId == moving[i]->m_categoryId &&
               moving[end]->m_position == moving[end - 1]->m_position + 1) {
            ++end;
        }
        const auto count = static_cast<std::uint32_t>(end - i);
        CategoryRecord& source = *mutableCategory(moving[i]->m_categoryId);
        const std::uint32_t from = rowNow(source, moving[i]->m_position);
        const std::uint32_t to = anchor - targetLeft.below(anchor) + placed;
        const ItemRows rows{source.m_id, from, from + count - 1};
        const bool inPlace = &source == target && (to == from || to == from + count);
        if (!inPlace) {
            notify(&DatabaseObserver::itemsAboutToBeMoved, rows, targetId, to);
        }
        for (std::size_t k = i; k < end; ++k) {
            ItemRecord& moved = *moving[k];
            leftOf(source).mark(moved.m_position);
            unlinkFromChain(source, moved);
            insertInChain(*target, moved, before);
            refile(moved, placementOf(source), placementOf(*target));
        }
        placed += count;
        if (!inPlace) {
            notify(&DatabaseObserver::itemsMoved, rows, targetId, to);
        }
        i = end;
    }
    for (const auto& [id, marks] : left) {
        renumberChain(*mutableCategory(id));
    }
    if (!moving.empty()) {
        journal([&] { return ItemsMoved{std::move(places)}; });
    }
}

// --- Deleting --------------------------------------------------------------------------------

std::vector<platform::IoError> Database::deleteItems(std::span<const ItemId> ids,
                                                     bool deleteFiles) {
    if (recording()) {
        return deleteItemsKept(ids, deleteFiles);
    }
    std::vector<platform::IoError> failures;
    const std::size_t removed =
        removeItemRuns(ids, [&](CategoryRecord& category, ItemRecord& item) {
            unlinkFromChain(category, item);
            unindexItem(item);
            freeItem(&item, deleteFiles ? &failures : nullptr);
        });
    if (removed > 0 && m_journal != nullptr) {
        m_journal->changedUnrecorded();
    }
    return failures;
}

std::size_t Database::removeItemRuns(std::span<const ItemId> ids,
                                     const std::function<void(CategoryRecord&, ItemRecord&)>& fn) {
    std::vector<ItemRecord*> doomed;
    doomed.reserve(ids.size());
    for (ItemId id : ids) {
        if (ItemRecord* i = mutableItem(id)) {
            doomed.push_back(i);
        }
    }
    // From the last row up, so that each run's rows are still where they were at the start.
    std::sort(doomed.begin(), doomed.end(), [](const ItemRecord* a, const ItemRecord* b) {
        return a->m_categoryId != b->m_categoryId ? a->m_categoryId > b->m_categoryId
                                                  : a->m_position > b->m_position;
    });
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    std::vector<CategoryRecord*> touched;
    for (std::size_t i = 0; i < doomed.size();) {
        std::size_t end = i + 1;
        while (end < doomed.size() && doomed[end]->m_categoryId == doomed[i]->m_categoryId &&
               doomed[end]->m_position + 1 == doomed[end - 1]->m_position) {
            ++end;
        }
        CategoryRecord& category = *mutableCategory(doomed[i]->m_categoryId);
        const ItemRows rows{category.m_id, doomed[end - 1]->m_position, doomed[i]->m_position};
        notify(&DatabaseObserver::itemsAboutToBeRemoved, rows);
        for (std::size_t k = i; k < end; ++k) {
            fn(category, *doomed[k]);
        }
        notify(&DatabaseObserver::itemsRemoved, rows);
        if (touched.empty() || touched.back() != &category) {
            touched.push_back(&category);
        }
        i = end;
    }
    for (CategoryRecord* category : touched) {
        renumberChain(*category);
    }
    return doomed.size();
}

}  // namespace lh::store

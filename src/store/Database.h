#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/SystemClock.h"
#include "store/AddressIndex.h"
#include "store/CategoryRecord.h"
#include "store/Change.h"
#include "store/DatabaseObserver.h"
#include "store/ItemArena.h"
#include "store/ItemFields.h"
#include "store/ItemRecord.h"
#include "store/MenuIndex.h"
#include "store/ObserverList.h"
#include "store/RemindKey.h"
#include "store/SaveProgress.h"

namespace lh::store {

class LhdSource;

// How a load ended.
enum class LoadOutcome {
    Loaded,      // the file is the database now
    Missing,     // no file at that path
    Empty,       // the file has no bytes
    Unreadable,  // the file exists but cannot be opened or mapped
    Refused,     // wrong version, checksum or structure: damaged or not a database
};

// The whole collection in memory: the category tree, each category's chain of items, and the
// indexes over them. It owns every CategoryRecord and ItemRecord and is the only one that
// changes them; everybody else reads them through const references, which stay valid until the
// record is removed, and refers to them by id. Every change is told to the observers
// (DatabaseObserver.h).
//
// Nothing throws out of the Database except std::bad_alloc from operations that say nothing
// about memory.
class Database {
public:
    using RemindIndex = std::map<RemindKey, std::vector<const ItemRecord*>>;

    // Holds the observers' bulk events around its lifetime (see beginBulkChange).
    class BulkChange {
    public:
        explicit BulkChange(Database& db) : m_db(db) { m_db.beginBulkChange(); }
        ~BulkChange() { m_db.endBulkChange(); }
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        Database& m_db;
    };

    // `clock` gives "now" for the reminders' expiry test; `fs` is where saves and file deletes go.
    explicit Database(const platform::Clock& clock = platform::systemClock(),
                      platform::FileSystem& fs = platform::realFileSystem());
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // --- Observers and bulk work ---------------------------------------------------------------
    // `observer` hears every change from now on; not owned, and must be removed before it goes.
    void addObserver(DatabaseObserver* observer) { m_observers.add(observer); }
    void removeObserver(DatabaseObserver* observer) { m_observers.remove(observer); }
    // Starts bulk work: the observers hear bulkChangeBegun now and, instead of each change,
    // bulkChangeEnded when the matching endBulkChange comes. Pairs nest.
    void beginBulkChange();
    void endBulkChange();
    bool inBulkChange() const { return m_bulkDepth > 0; }
    // `progress` hears every save from now on (null: none); not owned. While a save runs, a
    // second one (started from what `progress` does) fails.
    void setSaveProgress(SaveProgress* progress) { m_saveProgress = progress; }

    // --- State ---------------------------------------------------------------------------------
    bool isOpen() const { return m_root != nullptr; }
    const CategoryRecord* root() const { return m_root; }
    std::uint32_t nextCategoryId() const { return m_nextCategoryId; }
    std::uint32_t nextMenuId() const { return m_nextMenuId; }
    std::size_t categoryCount() const { return m_categories.size(); }
    std::size_t itemCount() const { return m_itemCount; }
    // The items whose kind (low nibble of the flags) is `kind`.
    std::size_t itemCountOfKind(std::uint32_t kind) const { return m_kindCounts[kind & kKindMask]; }
    const MenuIndex& menuIndex() const { return m_menuIndex; }
    const RemindIndex& remindIndex() const { return m_remindIndex; }

    // --- The whole database -------------------------------------------------------------------
    // Replaces the contents with the default database (root, "Webfavorite", "Recycle" and seven
    // sample categories; next category id 18).
    void createDefault();
    // The same, then saved to `writePath` with the category counter in the header. False (with
    // `error` set) when that save failed; the default database is open either way.
    [[nodiscard]] bool createDefault(const std::string& writePath, platform::IoError& error);
    // Frees every category and item (deleting no file) and empties every index.
    void clear();
    // Writes the database to `path` (header counter field 8). False with `error` set on failure;
    // the file at `path` is then as it was.
    [[nodiscard]] bool save(const std::string& path, platform::IoError& error);
    // Writes to `path` with the category counter in the header and, when that worked, empties
    // the database. False when nothing is open or the write failed (the database then stays).
    [[nodiscard]] bool saveAndClose(const std::string& path, platform::IoError& error);
    // Empties the database and reads `path`. Anything but Loaded leaves the database empty, with
    // the reason in `error`. Never creates or changes the file.
    [[nodiscard]] LoadOutcome load(const std::string& path, platform::IoError& error);
    // load() from the bytes of a file read earlier (`path` names it in errors): Loaded or
    // Refused.
    [[nodiscard]] LoadOutcome loadBytes(std::string_view bytes, const std::string& path,
                                        platform::IoError& error);

    // --- Categories ----------------------------------------------------------------------------
    // The category with runtime id `id`, or null.
    const CategoryRecord* findCategory(CategoryId id) const;
    // Makes a category of `fields` (its class the parent's unless given) the last child of
    // `parent`, with the next id. Null when there is no such parent or the 16-bit ids are used
    // up (until the next load renumbers them).
    const CategoryRecord* addCategory(CategoryId parent, const NewCategory& fields);
    // Removes the category with everything in and below it; its later siblings stay. With
    // `deleteFiles`, each File item's file goes too (see deleteItems), and the files that could
    // not be deleted are returned. The root stays.
    std::vector<platform::IoError> removeCategory(CategoryId id, bool deleteFiles);
    // Makes the category the last child of `target`. False (nothing changes) when either is
    // unknown, the category is the root, or `target` is the category or lies below it.
    [[nodiscard]] bool moveCategory(CategoryId id, CategoryId target);
    void renameCategory(CategoryId id, std::string_view name);
    void setCategoryMemo(CategoryId id, std::string_view memo);
    // Sets the class (high nibble of the flags); the category's items take or leave their
    // favourites-menu slots and reminder entries to match.
    void setCategoryClass(CategoryId id, std::uint8_t categoryClass);
    // True when `category` is `ancestor` or lies below it.
    static bool isSameOrBelow(const CategoryRecord& category, const CategoryRecord& ancestor);
    // The row of `category` among its parent's sub-categories (0 for the root). Walks the
    // siblings before it.
    static std::uint32_t rowOf(const CategoryRecord& category);

    // --- Items ---------------------------------------------------------------------------------
    // The item with id `id`, or null when there is none (any more).
    const ItemRecord* findItem(ItemId id) const;
    // Appends an item of `fields` to the chain of `category`. An item without a kind takes its
    // category's (URL, File, Remind categories). In a URL category an item that is not a File
    // or Remind item takes the next favourites-menu slot. Null when there is no such category.
    const ItemRecord* addItem(CategoryId category, const ItemFields& fields);
    // Changes the values `edit` sets. A changed address refiles the duplicate index; a changed
    // kind, schedule or remind time refiles the favourites menu and the reminders (a one-time
    // reminder not before the current minute). Unknown ids are ignored.
    void editItem(ItemId id, const ItemEdit& edit);
    // Moves the items to the chain of `target`, in the order given, as one run in front of item
    // `before` (at the end when `before` is not in that chain). Each item takes or leaves its
    // favourites-menu slot and reminder entry as its new category asks. Unknown ids, repeated
    // ids and an unknown target are ignored.
    void moveItems(std::span<const ItemId> ids, CategoryId target, ItemId before = kNoItemId);
    // Takes each item out of its chain and every index and frees it. With `deleteFiles`, a File
    // item's file (its folder joined with its file name) is deleted from disk, only when the
    // name is a plain file name and the folder is absolute: that path itself (a link, not what it
    // points to), never a folder. A file that is already gone is no failure; each one that could
    // not be deleted is returned (the item goes all the same). Unknown ids are ignored.
    std::vector<platform::IoError> deleteItems(std::span<const ItemId> ids, bool deleteFiles);

    // --- Indexes -------------------------------------------------------------------------------
    // The item in favourites-menu slot `menuId`, or null.
    const ItemRecord* findMenuItem(std::uint32_t menuId) const;
    // The reminders filed under `key` in the order they were filed, or null.
    const std::vector<const ItemRecord*>* findReminders(RemindKey key) const;
    // Files item `id` under `key` (once per key).
    void addReminder(RemindKey key, ItemId id);
    // Takes item `id` out from under `key`; the key goes when its list is empty.
    void removeReminder(RemindKey key, ItemId id);
    // Loads keep a one-time reminder only when it is after the minute `lastChecked` (the last
    // minute the reminder timer has looked at, so that the ones that passed since are still
    // announced); without one, only when it is not before the current minute.
    void setOnceReminderHorizon(std::optional<platform::LocalTime> lastChecked) {
        m_onceHorizon = lastChecked;
    }
    // Hands out favourites-menu slots 0, 1, 2, ... anew, in file order from "WebFavorite" (its
    // later siblings and everything below them). False when memory ran out.
    [[nodiscard]] bool renumberMenu();
    // True when an item in `start`, its later siblings or anything below them has `address`
    // equal to `url` ignoring case. O(1) on average.
    bool containsAddress(CategoryId start, std::string_view url) const;

    // --- Undo (DatabaseUndo.cpp) ----------------------------------------------------------------
    // `journal` hears every change from now on (null: nobody); not owned, and must be unset
    // before it goes. While it records, removed categories and items are kept, not freed.
    void setJournal(ChangeJournal* journal) { m_journal = journal; }
    ChangeJournal* changeJournal() const { return m_journal; }
    // Undoes `change`, which must be the latest recorded change still in effect (everything
    // recorded after it undone, nothing else changed since): kept records go back where they
    // were, with fresh favourites-menu slots in their old order and their reminders filed again,
    // and old values come back. The change this makes is recorded in turn. std::bad_alloc may
    // leave part of it done.
    void revert(Change& change);

private:
    friend class LhdLoader;

    // Records are handed out const; the Database, which owns them, changes them through these.
    static CategoryRecord& edit(const CategoryRecord& c) { return const_cast<CategoryRecord&>(c); }
    static ItemRecord& edit(const ItemRecord& i) { return const_cast<ItemRecord&>(i); }
    CategoryRecord* mutableCategory(CategoryId id) {
        return const_cast<CategoryRecord*>(findCategory(id));
    }
    ItemRecord* mutableItem(ItemId id) { return const_cast<ItemRecord*>(findItem(id)); }

    // Tells the observers, unless bulk work holds the events back.
    template <typename Method, typename... Args>
    void notify(Method method, const Args&... args) {
        if (m_bulkDepth == 0) {
            m_observers.notify(method, args...);
        }
    }

    // The loader's way in: attach a category read from a file (the root when `anchor` is null)
    // and append an item read after it.
    CategoryRecord* loadCategory(std::unique_ptr<CategoryRecord> category, CategoryRecord* anchor,
                                 std::uint8_t relation);
    bool loadItem(CategoryRecord& category, std::unique_ptr<ItemRecord> item,
                  RemindKey firstOnceKey);
    LoadOutcome loadFrom(LhdSource& source, const std::string& path, platform::IoError& error);

    // Changes the name or memo of a category, telling the observers.
    void setCategoryText(CategoryId id, std::string CategoryRecord::*text, std::string_view value,
                         CategoryField field);
    // Tree links.
    static void linkLastChild(CategoryRecord& parent, CategoryRecord& child);
    static void unlinkCategory(CategoryRecord& category);
    static void setSubtreeDepths(CategoryRecord& top);
    // With `failures` set, each File item's file is deleted and the ones that stay are added.
    void freeSubtree(CategoryRecord& top, std::vector<platform::IoError>* failures);
    void freeCategory(CategoryRecord& category, std::vector<platform::IoError>* failures);
    // Item ids, chains and indexes.
    // Gives `item` the next id and enters it in the id index (inline: a load does it a million
    // times). False when the ids of this run are used up.
    bool registerItem(ItemRecord& item) {
        if (m_nextItemId == kLastItemId) {
            return false;  // four billion items in one run
        }
        m_itemsById.push_back(&item);
        item.m_id = m_nextItemId++;
        count(item, +1);
        return true;
    }
    // Adds `item` to (+1) or takes it from (-1) the counts by kind and of the records that own
    // heap memory; a change of an item's kind or texts goes between a -1 and a +1.
    void count(const ItemRecord& item, int sign) {
        m_kindCounts[item.kind()] += static_cast<std::size_t>(sign);
        m_recordsOwningHeap += item.ownsHeapMemory() ? static_cast<std::size_t>(sign) : 0;
    }
    void appendToChain(CategoryRecord& category, ItemRecord& item);
    static void insertInChain(CategoryRecord& category, ItemRecord& item, ItemRecord* before);
    static void unlinkFromChain(CategoryRecord& category, ItemRecord& item);
    static void renumberChain(CategoryRecord& category);
    // What decides whether an item of a category has a menu slot and rings.
    struct Placement {
        CategoryId id;
        std::uint8_t categoryClass;
    };
    static Placement placementOf(const CategoryRecord& c) { return {c.id(), c.categoryClass()}; }
    static bool takesMenuSlot(const ItemRecord& item, Placement where);
    static bool takesReminder(const ItemRecord& item, Placement where);
    void giveMenuSlot(ItemRecord& item);
    void takeMenuSlot(ItemRecord& item);
    // Gives or takes the menu slot so that the item has one exactly when `where` asks for it.
    void fitMenuSlot(ItemRecord& item, Placement where);
    // Files a reminder under its key; a one-time reminder only when its key is not below
    // `firstOnceKey`.
    void fileReminder(ItemRecord& item, RemindKey firstOnceKey);
    // The once key of the current minute.
    RemindKey currentOnceKey() const;
    void unfileReminder(ItemRecord& item);
    // Gives or takes the menu slot and reminder entry of an item moving from `from` to `to`.
    void refile(ItemRecord& item, Placement from, Placement to);
    void unindexItem(ItemRecord& item);
    void freeItem(ItemRecord* item, std::vector<platform::IoError>* failures);
    void deleteFileOf(const ItemRecord& item, std::vector<platform::IoError>& failures);
    bool inUrlScope(const CategoryRecord& category, const CategoryRecord& start) const;
    void buildAddressIndex() const;
    void fileAddress(ItemRecord& item);
    void unfileAddress(ItemRecord& item);
    bool write(const std::string& path, std::uint16_t headerCounter, platform::IoError& error);

    // Undo (DatabaseUndo.cpp). Tells the journal of a change; `make` gives the change, and is
    // only called while the journal records.
    template <typename Make>
    void journal(Make&& make) {
        if (m_journal == nullptr) {
            return;
        }
        if (m_journal->recording()) {
            m_journal->record(make());
        } else {
            m_journal->changedUnrecorded();
        }
    }
    bool recording() const { return m_journal != nullptr && m_journal->recording(); }
    std::vector<platform::IoError> removeCategoryKept(CategoryId id, bool deleteFiles);
    std::vector<platform::IoError> deleteItemsKept(std::span<const ItemId> ids, bool deleteFiles);
    KeptRecords takeOutCategory(CategoryRecord& top);
    void putBackCategory(KeptRecords& kept);
    KeptRecords takeOutItems(std::span<const ItemId> ids,
                             std::vector<platform::IoError>* fileFailures);
    void putBackItems(KeptRecords& kept);
    void placeItems(const std::vector<ItemPlace>& places);
    void moveCategoryTo(CategoryId id, CategoryId parentId, std::uint32_t row);
    static void linkChildAt(CategoryRecord& parent, CategoryRecord& child, std::uint32_t row);
    // Calls fn(category, item) for each of the items, from the last row up, one run of rows
    // between the observers' remove events; renumbers the chains afterwards. Gives the number of
    // items.
    std::size_t removeItemRuns(std::span<const ItemId> ids,
                               const std::function<void(CategoryRecord&, ItemRecord&)>& fn);
    // Takes a kept item out of the indexes; it remembers its slot and reminder entry.
    void releaseItem(ItemRecord& item, KeptRecords& kept);
    // Enters kept items in the indexes again: slots handed out in their old order.
    void restoreItems(std::span<ItemRecord* const> items);
    // Inserts items (sorted by category, then position) at their positions.
    void insertAtPositions(std::span<ItemRecord* const> items);
    ItemEdit valuesOf(const ItemRecord& item, const ItemEdit& which) const;

    const platform::Clock& m_clock;
    platform::FileSystem& m_fs;
    ObserverList m_observers;
    SaveProgress* m_saveProgress = nullptr;
    bool m_saving = false;
    int m_bulkDepth = 0;
    bool m_contentsReplaced = false;  // during bulk work: clear() ran

    CategoryRecord* m_root = nullptr;
    // Records read from a file live in big blocks rather than one heap allocation each.
    ItemArena m_itemArena;
    std::map<CategoryId, std::unique_ptr<CategoryRecord>> m_categories;
    // Items by id: slot `id - m_firstItemId`; null for an item that is gone. Emptied with the
    // database; ids go on counting.
    std::vector<ItemRecord*> m_itemsById;
    static constexpr ItemId kLastItemId = 0xFFFFFFFF;
    ItemId m_firstItemId = 1;
    ItemId m_nextItemId = 1;
    MenuIndex m_menuIndex;
    RemindIndex m_remindIndex;
    std::optional<platform::LocalTime> m_onceHorizon;
    // Built on the first duplicate test after a load (a load need not pay for it), then kept up
    // to date by every change; `m_addressesBuilt` tells which.
    mutable AddressIndex m_addresses;
    mutable bool m_addressesBuilt = true;
    std::uint32_t m_nextCategoryId = 0;
    std::uint32_t m_nextMenuId = 0;
    std::size_t m_itemCount = 0;
    ChangeJournal* m_journal = nullptr;
    std::array<std::size_t, kKindMask + 1> m_kindCounts{};
    // Items that are not in the arena or hold texts on the heap: while there are none, the
    // arena's blocks go at once without a visit to each record.
    std::size_t m_recordsOwningHeap = 0;
};

}  // namespace lh::store

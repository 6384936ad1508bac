#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/LargeMemory.h"
#include "store/AddressIndex.h"
#include "store/CategoryRecord.h"
#include "store/DatabaseObserver.h"
#include "store/ItemArena.h"
#include "store/ItemRecord.h"
#include "store/RemindKey.h"

namespace lh::store {

// The whole collection in memory: the category tree, each category's chain of items, and the
// indexes over them. It owns every CategoryRecord and ItemRecord it holds; everybody else keeps
// plain references, which stay valid until the record is removed (the observer hears of that).
//
// Operations that can fail return 1 or a pointer on success and 0 or null on failure; the reason
// of a failed file operation is in lastError(). Nothing throws out of the Database except
// std::bad_alloc from operations that say nothing about memory.
class Database {
public:
    using CategoryIndex = std::map<std::uint16_t, std::unique_ptr<CategoryRecord>>;
    using MenuIndex = std::pmr::map<std::uint32_t, ItemRecord*>;
    using RemindIndex = std::map<RemindKey, std::vector<ItemRecord*>>;

    // `clock` gives "now" for the loader's expiry test; `fs` is where saves and file deletes go.
    explicit Database(const platform::Clock& clock = platform::systemClock(),
                      platform::FileSystem& fs = platform::realFileSystem());
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The observer to tell of changes (null for none). Not owned.
    void setObserver(DatabaseObserver* observer) { m_observer = observer; }

    // --- State ---------------------------------------------------------------------------------
    bool isOpen() const { return m_root != nullptr; }
    CategoryRecord* root() const { return m_root; }
    std::uint32_t nextCategoryId() const { return m_nextCategoryId; }
    std::uint32_t nextMenuId() const { return m_nextMenuId; }
    std::size_t itemCount() const { return m_itemCount; }
    const CategoryIndex& categoryIndex() const { return m_categories; }
    const MenuIndex& menuIndex() const { return m_menuIndex; }
    const RemindIndex& remindIndex() const { return m_remindIndex; }
    // When set, removing a File item also deletes its file (see deleteItems).
    bool deleteFilesAnswer() const { return m_deleteFiles; }
    void setDeleteFilesAnswer(bool yes) { m_deleteFiles = yes; }
    // Why the last save or load failed.
    const platform::IoError& lastError() const { return m_lastError; }

    // --- The whole database -------------------------------------------------------------------
    // Replaces the contents with the default database (root, "Webfavorite", "Recycle" and seven
    // sample categories; next category id 18). With a non-empty `writePath` it is then saved
    // there with the category counter in the header. Returns 1, or 0 when that save failed.
    int createDefault(const std::string& writePath = {});
    // Frees every category and item (deleting no file) and empties every index.
    void clear();
    // Writes the database to `path` (header counter field 8). 1, or 0 with lastError() set; the
    // file at `path` is then as it was.
    int save(const std::string& path);
    // Writes to `path` with the category counter in the header and, when that worked, empties
    // the database. 1 on success; 0 when there is nothing open or the write failed (the database
    // then stays as it was).
    int saveAndClose(const std::string& path);
    // Empties the database and reads `path`: 1 loaded; 0 when the file is missing, empty or
    // cannot be opened or mapped; -1 when it is refused (wrong version, checksum or structure).
    // Never creates or changes the file. lastError() tells the reason of 0 and -1.
    int load(const std::string& path);

    // --- Categories ----------------------------------------------------------------------------
    // The category with runtime id `id`, or null.
    CategoryRecord* findCategory(std::uint16_t id) const;
    // Gives `category` the next id and appends it as the last child of `parent` (depth and
    // class from the parent, its own "expanded" nibble kept). Null when the 16-bit ids are used
    // up (lastError() says so).
    CategoryRecord* addCategory(std::unique_ptr<CategoryRecord> category, CategoryRecord& parent);
    // Removes the category with everything in and below it; its later siblings stay.
    void removeCategory(std::uint16_t id);
    // Removes `category`, everything below it and every later sibling of it with everything
    // below those; the category it hangs from keeps no link to them.
    void removeCategorySubtree(CategoryRecord& category);
    // Makes `category` the last child of `target`. False (nothing changes) when `target` is
    // `category` or lies below it, or `category` is the root.
    bool moveCategory(CategoryRecord& category, CategoryRecord& target);
    // True when `category` is `ancestor` or lies below it.
    static bool isSameOrBelow(const CategoryRecord& category, const CategoryRecord& ancestor);

    // --- Items ---------------------------------------------------------------------------------
    // Appends `item` to the chain of the category `item->categoryId`. An item without a kind
    // takes its category's (URL, File, Remind categories). In a URL category an item that is not
    // a File or Remind item takes the next favourites-menu slot. Null when no category has that
    // id (the item is freed).
    ItemRecord* addItem(std::unique_ptr<ItemRecord> item);
    // Takes each item out of its chain and every index and frees it. With `deleteFiles`, a File
    // item's file (its folder joined with its file name) is deleted from disk, only when the
    // name is a plain file name and the folder is absolute.
    void deleteItems(std::span<ItemRecord* const> items, bool deleteFiles);
    void deleteItem(ItemRecord& item, bool deleteFile) {
        ItemRecord* one[] = {&item};
        deleteItems(one, deleteFile);
    }
    // Moves `item` to the end of `target`'s chain, updating its menu and reminder membership.
    void moveItem(ItemRecord& item, CategoryRecord& target);
    // Changes a stored item's address (keeping the duplicate index up to date).
    void setItemAddress(ItemRecord& item, std::string_view address);

    // --- Indexes -------------------------------------------------------------------------------
    // The item in favourites-menu slot `menuId`, or null.
    ItemRecord* findMenuItem(std::uint32_t menuId) const;
    // The reminders filed under `key` in the order they were filed, or null.
    const std::vector<ItemRecord*>* findReminders(RemindKey key) const;
    // Files `item` under `key` (once per key).
    void addReminder(RemindKey key, ItemRecord& item);
    // Takes `item` out from under `key`; the key goes when its list is empty.
    void removeReminder(RemindKey key, ItemRecord& item);
    // Hands out favourites-menu slots 0, 1, 2, ... anew, in file order from "WebFavorite" (its
    // later siblings and everything below them). Returns 1, or 0 when memory ran out.
    int renumberMenu();
    // True when an item in `start`, its later siblings or anything below them has `address`
    // equal to `url` ignoring case. O(1) on average.
    bool countUrl(const CategoryRecord* start, std::string_view url) const;
    // True when a File item in `category`'s chain or anything below it has `title` equal to
    // `fileName` and `location` equal to `folder`, both ignoring case.
    bool countFile(const CategoryRecord& category, std::string_view fileName,
                   std::string_view folder) const;

private:
    friend class LhdLoader;

    // The loader's way in: attach a category read from a file (the root when `anchor` is null)
    // and append an item read after it.
    CategoryRecord* loadCategory(std::unique_ptr<CategoryRecord> category, CategoryRecord* anchor,
                                 std::uint8_t relation);
    void loadItem(CategoryRecord& category, std::unique_ptr<ItemRecord> item,
                  const platform::LocalTime& now);

    // Tree links.
    static void linkLastChild(CategoryRecord& parent, CategoryRecord& child);
    static void unlinkCategory(CategoryRecord& category);
    static void setSubtreeDepths(CategoryRecord& top);
    // Item chains and indexes.
    void appendToChain(CategoryRecord& category, ItemRecord& item);
    static void unlinkFromChain(CategoryRecord& category, ItemRecord& item);
    static void renumberChain(CategoryRecord& category);
    static bool takesMenuSlot(const ItemRecord& item, const CategoryRecord& category);
    static bool takesReminder(const ItemRecord& item, const CategoryRecord& category);
    void giveMenuSlot(ItemRecord& item, bool notify = true);
    void takeMenuSlot(ItemRecord& item);
    void fileReminder(ItemRecord& item, const platform::LocalTime* expiryNow);
    void unfileReminder(ItemRecord& item);
    void unindexItem(ItemRecord& item);
    void freeItem(ItemRecord* item, bool deleteFile);
    void freeCategory(CategoryRecord& category);
    bool inUrlScope(const CategoryRecord& category, const CategoryRecord& start) const;
    void buildAddressIndex() const;
    void fileAddress(ItemRecord& item);
    void unfileAddress(ItemRecord& item);
    int write(const std::string& path, std::uint16_t headerCounter);

    const platform::Clock& m_clock;
    platform::FileSystem& m_fs;
    DatabaseObserver* m_observer = nullptr;

    CategoryRecord* m_root = nullptr;
    // Records read from a file, and the nodes of the favourites-menu index (one per link, a
    // million of them), live in big blocks rather than one heap allocation each.
    ItemArena m_itemArena;
    platform::LargeBlockResource m_largeBlocks;
    std::pmr::monotonic_buffer_resource m_indexBlocks{std::size_t(64) << 10, &m_largeBlocks};
    std::pmr::unsynchronized_pool_resource m_indexMemory{&m_indexBlocks};
    CategoryIndex m_categories;
    MenuIndex m_menuIndex{&m_indexMemory};
    RemindIndex m_remindIndex;
    // Built on the first duplicate test after a load (a load need not pay for it), then kept up
    // to date by every change; `m_addressesBuilt` tells which.
    mutable AddressIndex m_addresses;
    mutable bool m_addressesBuilt = true;
    std::uint32_t m_nextCategoryId = 0;
    std::uint32_t m_nextMenuId = 0;
    std::size_t m_itemCount = 0;
    bool m_deleteFiles = false;
    platform::IoError m_lastError;
};

}  // namespace lh::store

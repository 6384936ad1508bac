#pragma once

#include <string_view>

namespace lh::store {

struct CategoryRecord;
class ItemRecord;

// What the views must hear about changes to the Database. Every method has an empty default, so
// an observer overrides what it shows. Calls come on the thread that changed the Database.
class DatabaseObserver {
public:
    virtual ~DatabaseObserver() = default;

    // The whole tree was replaced (a load or a new default database): rebuild from `root`.
    virtual void treeRebuilt(CategoryRecord& root) { (void)root; }
    // Every category and item is about to be freed: drop all references to them.
    virtual void databaseClearing() {}
    // A category and everything below it are about to be freed.
    virtual void categoryRemoving(CategoryRecord& category) { (void)category; }
    // `item` was appended to the chain of its category.
    virtual void itemAdded(ItemRecord& item) { (void)item; }
    // `item` is about to be freed (it is already out of its chain).
    virtual void itemRemoving(ItemRecord& item) { (void)item; }
    // `item` took a favourites-menu slot (its menuId).
    virtual void favouriteAdded(ItemRecord& item) { (void)item; }
    // `item` left the favourites menu; it still holds its old menuId.
    virtual void favouriteRemoved(ItemRecord& item) { (void)item; }
    // Every favourites-menu slot was handed out anew.
    virtual void favouritesRenumbered() {}
    // Memory ran out in the middle of an operation that was abandoned; `message` is for the user.
    virtual void allocationFailed(std::string_view message) { (void)message; }
};

}  // namespace lh::store

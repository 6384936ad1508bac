#pragma once

#include "store/CategoryRecord.h"

namespace lh::tree {

// What the category commands tell the tree on screen. The tree keeps the current category; the
// commands change the Database first and then report what they did here.
class CategoryTreeHost {
public:
    virtual ~CategoryTreeHost() = default;

    // The category whose items are shown, or null.
    virtual store::CategoryRecord* currentCategory() const = 0;
    // Selects `category` in the tree and makes it the current category.
    virtual void makeCurrent(store::CategoryRecord& category) = 0;
    // `category` (with everything below it) now hangs as the last child of its parent.
    virtual void categoryAdded(store::CategoryRecord& category) = 0;
    // `category` (with everything below it) was moved to the end of its new parent's children.
    virtual void categoryMoved(store::CategoryRecord& category) = 0;
    // `category` and everything below it are about to be removed from the Database.
    virtual void categoryRemoving(store::CategoryRecord& category) = 0;
    // The name of `category` changed.
    virtual void categoryRenamed(store::CategoryRecord& category) = 0;
    // A favourites category was created, moved, removed or renamed: the favourites menu is stale.
    virtual void favouritesChanged() = 0;
};

}  // namespace lh::tree

#pragma once

#include <cstdint>
#include <string_view>

#include "store/ItemFields.h"
#include "store/Kinds.h"

namespace lh::store {

class CategoryRecord;
class ItemRecord;

// Rows `first` to `last` (both included) among the sub-categories of category `parent`.
struct CategoryRows {
    CategoryId parent = 0;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool operator==(const CategoryRows&) const = default;
};

// Positions `first` to `last` (both included) in the item chain of category `category`.
struct ItemRows {
    CategoryId category = 0;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool operator==(const ItemRows&) const = default;
};

// What the views hear of every change to the Database: the only way they learn of one. Events
// come in about-to / done pairs around each change, in the shape Qt's item models need: rows
// counted before the change, a move's destination counted as QAbstractItemModel::beginMoveRows
// counts it (among the destination's rows before the move, the moving rows still in place). A
// call that changes several runs of rows sends one pair per run, each counted in the rows as
// they are at that moment. Records a view looks at in an about-to event are still there; the
// `position` of items settles once the call's last pair has been sent.
//
// Removing a category removes everything below it and its items: no separate events are sent
// for those.
//
// Bulk work (a load, a new database, an import) sends bulkChangeBegun, no other change event,
// then bulkChangeEnded: views then show the database afresh. In between a view must not rely
// on the rows it knows; it may look records up by id (a missing one is simply gone).
//
// Every method has an empty default, so an observer overrides what it shows. Calls come on the
// thread that changed the Database.
class DatabaseObserver {
public:
    virtual ~DatabaseObserver() = default;

    // --- Bulk work -------------------------------------------------------------------------
    virtual void bulkChangeBegun() {}
    // `contentsReplaced`: the database was emptied meanwhile (a load or a new database), so ids
    // from before name other categories, or none.
    virtual void bulkChangeEnded(bool contentsReplaced) { (void)contentsReplaced; }

    // --- Categories ------------------------------------------------------------------------
    virtual void categoriesAboutToBeInserted(const CategoryRows& rows) { (void)rows; }
    virtual void categoriesInserted(const CategoryRows& rows) { (void)rows; }
    // The categories at `rows` (with everything below them) go to `toParent`, at `toRow`.
    virtual void categoriesAboutToBeMoved(const CategoryRows& rows, CategoryId toParent,
                                          std::uint32_t toRow) {
        (void)rows, (void)toParent, (void)toRow;
    }
    virtual void categoriesMoved(const CategoryRows& rows, CategoryId toParent,
                                 std::uint32_t toRow) {
        (void)rows, (void)toParent, (void)toRow;
    }
    // The categories at `rows`, everything below them and all their items are about to go.
    virtual void categoriesAboutToBeRemoved(const CategoryRows& rows) { (void)rows; }
    virtual void categoriesRemoved(const CategoryRows& rows) { (void)rows; }
    virtual void categoryAboutToChange(const CategoryRecord& category, CategoryFieldSet fields) {
        (void)category, (void)fields;
    }
    virtual void categoryChanged(const CategoryRecord& category, CategoryFieldSet fields) {
        (void)category, (void)fields;
    }

    // --- Items -----------------------------------------------------------------------------
    virtual void itemsAboutToBeInserted(const ItemRows& rows) { (void)rows; }
    virtual void itemsInserted(const ItemRows& rows) { (void)rows; }
    // The items at `rows` go to the chain of `toCategory`, at `toPosition`.
    virtual void itemsAboutToBeMoved(const ItemRows& rows, CategoryId toCategory,
                                     std::uint32_t toPosition) {
        (void)rows, (void)toCategory, (void)toPosition;
    }
    virtual void itemsMoved(const ItemRows& rows, CategoryId toCategory, std::uint32_t toPosition) {
        (void)rows, (void)toCategory, (void)toPosition;
    }
    virtual void itemsAboutToBeRemoved(const ItemRows& rows) { (void)rows; }
    virtual void itemsRemoved(const ItemRows& rows) { (void)rows; }
    virtual void itemAboutToChange(const ItemRecord& item, ItemFieldSet fields) {
        (void)item, (void)fields;
    }
    virtual void itemChanged(const ItemRecord& item, ItemFieldSet fields) {
        (void)item, (void)fields;
    }

    // --- Indexes and trouble ---------------------------------------------------------------
    // Every favourites-menu slot was handed out anew.
    virtual void favouritesRenumbered() {}
    // Memory ran out in the middle of an operation that was abandoned; `message` is for the
    // user. Sent during bulk work too.
    virtual void allocationFailed(std::string_view message) { (void)message; }
};

}  // namespace lh::store

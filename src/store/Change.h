#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "store/ItemFields.h"
#include "store/Kinds.h"

namespace lh::store {

class CategoryRecord;
class ItemRecord;

// Records taken out of the Database whole, moved (not copied) so that they can go back exactly
// where they were: a category with everything below it, or a set of items. They keep their ids,
// their order and their texts; their favourites-menu slots and reminder entries are given up
// (the records only remember that they had them). Freed with the value, deleting no file.
class KeptRecords {
public:
    KeptRecords() = default;
    ~KeptRecords();
    KeptRecords(KeptRecords&& other) noexcept;
    KeptRecords& operator=(KeptRecords&& other) noexcept;
    KeptRecords(const KeptRecords&) = delete;
    KeptRecords& operator=(const KeptRecords&) = delete;

    bool empty() const { return m_categories.empty() && m_items == nullptr; }
    // The memory the records hold: the records themselves and their texts.
    std::size_t bytes() const { return m_bytes; }

private:
    friend class Database;
    void release();

    // A category subtree, its top first, each with its chain of items in place; the top was
    // child `m_row` of `m_parent`.
    std::vector<std::unique_ptr<CategoryRecord>> m_categories;
    CategoryId m_parent = 0;
    std::uint32_t m_row = 0;
    // Or items taken out of their chains, linked through their `next` in the order they go back
    // in: by category, then position (each keeps its category and position).
    ItemRecord* m_items = nullptr;
    std::size_t m_bytes = 0;
};

// Where an item was: its category and its position in that category's chain.
struct ItemPlace {
    ItemId id = kNoItemId;
    CategoryId category = 0;
    std::uint32_t position = 0;
};

// One change as the Database made it, with what undoing it needs. Database::revert undoes it
// and records the change that undoing made, which in turn undoes the undo.
struct CategoryAdded {
    CategoryId id;
};
struct CategoryTakenOut {
    KeptRecords kept;
};
struct CategoryMoved {
    CategoryId id;
    CategoryId fromParent;
    std::uint32_t fromRow;
};
struct CategoryTextChanged {
    CategoryId id;
    CategoryField field;  // Name or Memo
    std::string before;
};
struct CategoryClassChanged {
    CategoryId id;
    std::uint8_t before;
};
struct ItemsAdded {
    std::vector<ItemId> ids;
};
struct ItemsTakenOut {
    KeptRecords kept;
};
struct ItemEdited {
    ItemId id;
    std::unique_ptr<ItemEdit> before;  // the changed values as they were
};
struct ItemsMoved {
    std::vector<ItemPlace> from;
};
using Change =
    std::variant<CategoryAdded, CategoryTakenOut, CategoryMoved, CategoryTextChanged,
                 CategoryClassChanged, ItemsAdded, ItemsTakenOut, ItemEdited, ItemsMoved>;

// The memory a change keeps beside the database (kept records, old values).
std::size_t keptBytes(const Change& change);

// Hears every change the Database makes, so that it can be undone. Set on the Database with
// Database::setJournal.
class ChangeJournal {
public:
    virtual ~ChangeJournal() = default;
    // True while changes are being recorded: removed records are then kept, not freed.
    virtual bool recording() const = 0;
    // Starts a step named `name` of the undo history: the changes until the matching endStep
    // are undone together. Steps started inside another join it.
    virtual void beginStep(std::string name) = 0;
    virtual void endStep() = 0;
    // A change just made while recording.
    virtual void record(Change change) = 0;
    // A change made while not recording (by other means than a recorded command).
    virtual void changedUnrecorded() = 0;
    // The database is about to be emptied: every record kept so far must be freed now.
    virtual void databaseClearing() = 0;
};

}  // namespace lh::store

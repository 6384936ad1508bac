#pragma once

#include <span>
#include <string>
#include <vector>

#include "commands/Prompter.h"
#include "platform/IoError.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
}

namespace lh::commands {

// The message that names the files a delete left on disk (the first few, then a count).
std::string fileDeleteReport(const std::vector<platform::IoError>& failures);

// Delete and move the item list's selected rows: the rules and the question, with every change
// made by the Database (the list follows its events). Rows are named by item id; ids that are
// gone are left out. The selections given are the list's selected items, top row first.
class ItemCommands {
public:
    ItemCommands(store::Database& db, Prompter& prompter);

    // Delete Item and the Delete key: for good when `permanent` (Shift held) or when `current`
    // is "Recycle", else the rows go to the front of "Recycle".
    void deleteItems(std::span<const store::ItemId> selected, store::CategoryId current,
                     bool permanent);
    // Deletes the items for good. When they hold File items, asks "Also delete file(s)?" first
    // (Yes: their files go too); each file that stays is reported.
    void deletePermanently(std::span<const store::ItemId> selected);
    // Moves the items to `target`, taken from the lowest row up, so they land in reverse screen
    // order: in front of the first item "Recycle" had when the move began, or appended to any
    // other category. One Database call, whatever the number of rows.
    void moveToCategory(std::span<const store::ItemId> selected, store::CategoryId target);

    // Move Up: each selected item changes places with the item above it, from the top row down;
    // nothing at all moves when the top row is among them. Gives the items to select (the same
    // items, at their new rows).
    std::vector<store::ItemId> moveUp(std::span<const store::ItemId> selected);
    // Move Down: the mirror image, from the bottom row up; nothing moves when the last row is
    // among them.
    std::vector<store::ItemId> moveDown(std::span<const store::ItemId> selected);

private:
    store::Database& m_db;
    Prompter& m_prompter;
};

}  // namespace lh::commands

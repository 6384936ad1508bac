#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "items/ItemKind.h"
#include "settings/OtherFlags.h"
#include "store/Kinds.h"

namespace lh::store {
class ItemRecord;
}

namespace lh::commands {

// What the item commands' enable rules look at: the current category and the list's rows.
struct ItemListState {
    std::optional<store::CategoryId> category;  // the category the list shows
    int rowCount = 0;
    std::vector<int> selectedRows;             // ascending
    std::optional<items::ItemKind> firstKind;  // the kind of the first selected item
    bool selectionHoldsFiles = false;          // a File item is among the selected
    bool hasRemindEditor = false;              // Remind items can be edited and added
};

// Which item commands are enabled. The ones not listed (Add URL, Add File, Add Batch File,
// Delete Item, Select All, Invert Select) always are.
struct ItemCommandState {
    bool property = false;
    bool comment = false;
    bool browseUrl = false;
    bool openFile = false;
    bool copyFile = false;
    bool openFileFolder = false;
    bool moveUp = false;
    bool moveDown = false;
    bool addRemind = false;

    bool operator==(const ItemCommandState&) const = default;
};

ItemCommandState itemCommandState(const ItemListState& list);

// What a double click on an item does.
enum class ItemAction { None, Property, Comment, BrowseUrl, OpenFile };
// By the item's kind and the user's choice for that kind in `flags`: property dialog, comment
// dialog, or (links and files) open it; Remind items open no further than their comment.
ItemAction doubleClickAction(items::ItemKind kind, const settings::OtherFlags& flags);

// The copied-files list holds at most this many bytes, each path counted with one byte more.
inline constexpr std::size_t kCopiedFilesLimit = 17000;
// The full paths of the File items among `items`, in the order given, up to the last one that
// still fits within kCopiedFilesLimit.
std::vector<std::string> copiedFilePaths(std::span<const store::ItemRecord* const> items);

// An item's file: its folder joined with its file name.
std::string filePathOf(const store::ItemRecord& item);

}  // namespace lh::commands

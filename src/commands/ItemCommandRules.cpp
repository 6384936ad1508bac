#include "commands/ItemCommandRules.h"

#include "items/FilePaths.h"
#include "store/ItemRecord.h"

namespace lh::commands {

namespace {

using items::ItemKind;

// Category 4 keeps its rows where they are and edits none of them.
constexpr store::CategoryId kFixedOrderCategoryId = 4;

bool canEdit(std::optional<ItemKind> kind, bool hasRemindEditor) {
    return kind == ItemKind::Url || kind == ItemKind::File ||
           (kind == ItemKind::Remind && hasRemindEditor);
}

}  // namespace

ItemCommandState itemCommandState(const ItemListState& list) {
    const bool selected = !list.selectedRows.empty();
    const bool reorderable = list.category && *list.category != store::kRootId &&
                             *list.category != kFixedOrderCategoryId;
    ItemCommandState state;
    state.property = list.category && *list.category != kFixedOrderCategoryId && selected &&
                     canEdit(list.firstKind, list.hasRemindEditor);
    state.comment = selected;
    state.browseUrl = selected && list.firstKind == ItemKind::Url;
    state.openFile = selected && list.firstKind == ItemKind::File;
    state.copyFile = list.selectionHoldsFiles;
    state.openFileFolder = selected && list.firstKind == ItemKind::File;
    state.moveUp = reorderable && selected && list.selectedRows.front() != 0;
    state.moveDown = reorderable && selected && list.selectedRows.back() != list.rowCount - 1;
    state.addRemind = list.hasRemindEditor;
    return state;
}

ItemAction doubleClickAction(ItemKind kind, const settings::OtherFlags& flags) {
    switch (kind) {
        case ItemKind::Url: {
            const int choice = flags.urlDoubleClick();
            return choice == 0   ? ItemAction::Property
                   : choice == 1 ? ItemAction::Comment
                                 : ItemAction::BrowseUrl;
        }
        case ItemKind::File: {
            const int choice = flags.fileDoubleClick();
            return choice == 0   ? ItemAction::Property
                   : choice == 1 ? ItemAction::Comment
                                 : ItemAction::OpenFile;
        }
        case ItemKind::Remind:
            return flags.remindDoubleClick() == 0 ? ItemAction::Property : ItemAction::Comment;
        case ItemKind::Mixed:
            break;
    }
    return ItemAction::None;
}

std::vector<std::string> copiedFilePaths(std::span<const store::ItemRecord* const> items) {
    std::vector<std::string> paths;
    std::size_t size = 0;
    for (const store::ItemRecord* item : items) {
        if (item->kind() != store::kKindFile) {
            continue;
        }
        std::string path = filePathOf(*item);
        size += path.size() + 1;  // each path ends with a zero byte in the list
        if (size > kCopiedFilesLimit) {
            break;
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

std::string filePathOf(const store::ItemRecord& item) {
    return items::joinFolderAndName(item.location(), item.title());
}

}  // namespace lh::commands

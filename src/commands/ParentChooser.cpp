#include "commands/ParentChooser.h"

#include "store/Kinds.h"
#include "store/TreeWalk.h"

namespace lh::commands {

namespace {

// The categories of reminders are listed from the category with this id.
constexpr store::CategoryId kRemindListRoot = 3;
// With no preselected category the chooser opens on its third line.
constexpr int kDefaultLine = 2;

ChooserEntry entryFor(const store::CategoryRecord& category) {
    return {category.id(), category.name(), category.depth(), category.flags()};
}

}  // namespace

const store::CategoryRecord* classRoot(const store::Database& db, std::uint8_t categoryClass) {
    switch (categoryClass) {
        case store::kClassUrl:
            return db.findCategory(store::kFavoritesId);
        case store::kClassFile:
            return db.findCategory(store::kRecycleId);
        case store::kClassRemind:
            return db.findCategory(kRemindListRoot);
        default:
            return nullptr;
    }
}

std::optional<ParentChoice> buildParentChoice(const store::Database& db, std::uint8_t categoryClass,
                                              std::optional<std::uint16_t> preselectId) {
    const store::CategoryRecord* root = classRoot(db, categoryClass);
    if (root == nullptr) {
        return std::nullopt;
    }
    ParentChoice choice;
    choice.entries.push_back(entryFor(*root));
    store::walkDescendants(*root, [&](const store::CategoryRecord& c) {
        choice.entries.push_back(entryFor(c));
        return false;
    });
    if (preselectId) {
        for (std::size_t i = 0; i < choice.entries.size(); ++i) {
            if (choice.entries[i].id == *preselectId) {
                choice.selected = static_cast<int>(i);
                return choice;
            }
        }
    }
    // A tree too small for a third line would leave the chooser empty and the dialog's OK
    // silently without effect: fall back to the class root then.
    const int count = static_cast<int>(choice.entries.size());
    choice.selected = count > kDefaultLine ? kDefaultLine : 0;
    return choice;
}

}  // namespace lh::commands

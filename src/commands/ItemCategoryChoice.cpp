#include "commands/ItemCategoryChoice.h"

#include "store/TreeWalk.h"

namespace lh::commands {

namespace {

// A default category that is not listed opens the list on its third line.
constexpr int kDefaultLine = 2;

ChooserEntry entryFor(const store::CategoryRecord& category) {
    return {category.id(), category.name(), category.depth(), category.flags()};
}

int lineOf(const ParentChoice& choice, store::CategoryId id) {
    for (std::size_t i = 0; i < choice.entries.size(); ++i) {
        if (choice.entries[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

ParentChoice buildItemCategoryChoice(const store::Database& db, store::CategoryId rootId,
                                     ItemCategoryPreselect preselect) {
    ParentChoice choice;
    if (const store::CategoryRecord* root = db.findCategory(rootId)) {
        choice.entries.push_back(entryFor(*root));
        store::walkDescendants(*root, [&](const store::CategoryRecord& c) {
            choice.entries.push_back(entryFor(c));
            return false;
        });
    }
    choice.selected = lineOf(choice, preselect.id);
    if (choice.selected >= 0) {
        return choice;
    }
    if (preselect.ownCategory) {
        if (const store::CategoryRecord* own = db.findCategory(preselect.id)) {
            choice.entries.push_back(entryFor(*own));
            choice.selected = static_cast<int>(choice.entries.size()) - 1;
            return choice;
        }
    }
    const int count = static_cast<int>(choice.entries.size());
    if (count == 0) {
        choice.selected = -1;
    } else if (preselect.id == store::kRecycleId || count <= kDefaultLine) {
        choice.selected = 0;
    } else {
        choice.selected = kDefaultLine;
    }
    return choice;
}

}  // namespace lh::commands

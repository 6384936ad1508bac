#include "commands/CategoryMenus.h"

#include "store/Kinds.h"

namespace lh::commands {

CategoryMenuState contextMenuState(store::CategoryId clickedId) {
    CategoryMenuState state;
    state.properties = true;
    state.newCategory = clickedId != store::kRootId && clickedId != store::kRecycleId;
    state.deleteCategory = !store::isFixedCategory(clickedId);
    state.moveTo = !store::isFixedCategory(clickedId);
    return state;
}

CategoryMenuState mainMenuState(const store::CategoryRecord* selected) {
    if (selected == nullptr) {
        CategoryMenuState state;
        state.properties = true;
        return state;
    }
    return contextMenuState(selected->id());
}

bool acceptsItemDrop(const store::CategoryRecord& target, const store::CategoryRecord& source,
                     bool copyRequested) {
    if (copyRequested || &target == &source || target.id() == store::kRootId) {
        return false;
    }
    return target.categoryClass() == source.categoryClass();
}

}  // namespace lh::commands

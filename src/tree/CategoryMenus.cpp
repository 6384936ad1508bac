#include "tree/CategoryMenus.h"

#include "store/Kinds.h"

namespace lh::tree {

CategoryMenuState contextMenuState(std::uint16_t clickedId) {
    CategoryMenuState state;
    state.properties = true;
    state.newCategory = clickedId != store::kRootId && clickedId != store::kRecycleId;
    state.deleteCategory = clickedId > store::kRecycleId;
    state.moveTo = clickedId > store::kRecycleId;
    return state;
}

CategoryMenuState mainMenuState(const store::CategoryRecord* selected) {
    CategoryMenuState state;
    state.properties = true;
    if (selected == nullptr) {
        return state;
    }
    const std::uint16_t id = selected->id;
    state.newCategory = id != store::kRootId && id != store::kRecycleId;
    state.deleteCategory = id > store::kRecycleId;
    state.moveTo = id > store::kRecycleId;
    return state;
}

bool acceptsItemDrop(const store::CategoryRecord& target, const store::CategoryRecord& source,
                     bool copyRequested) {
    if (copyRequested || &target == &source || target.id == store::kRootId) {
        return false;
    }
    return target.categoryClass() == source.categoryClass();
}

}  // namespace lh::tree

#include "commands/ExportScope.h"

#include "store/CategoryRecord.h"

namespace lh::commands {

store::CategoryId exportScope(const store::CategoryRecord* current) {
    const bool links = current != nullptr && current->categoryClass() == store::kClassUrl &&
                       current->id() != store::kRootId;
    return links ? current->id() : store::kFavoritesId;
}

}  // namespace lh::commands

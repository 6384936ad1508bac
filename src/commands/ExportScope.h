#pragma once

#include "store/Kinds.h"

namespace lh::store {
class CategoryRecord;
}

namespace lh::commands {

// The category "Export Bookmark file..." writes (with everything below it): the current category
// when it holds links and is not the root, otherwise the favourites category. `current` is null
// when no category is current.
store::CategoryId exportScope(const store::CategoryRecord* current);

}  // namespace lh::commands

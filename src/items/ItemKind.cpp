#include "items/ItemKind.h"

#include "store/CategoryRecord.h"
#include "store/ItemRecord.h"

namespace lh::items {

ItemKind kindOf(const store::ItemRecord& item) {
    switch (item.kind()) {
        case store::kKindUrl:
            return ItemKind::Url;
        case store::kKindFile:
            return ItemKind::File;
        case store::kKindRemind:
            return ItemKind::Remind;
        default:
            return ItemKind::Mixed;
    }
}

ItemKind kindOf(const store::CategoryRecord& category) {
    switch (category.categoryClass()) {
        case store::kClassUrl:
            return ItemKind::Url;
        case store::kClassFile:
            return ItemKind::File;
        case store::kClassRemind:
            return ItemKind::Remind;
        default:
            return ItemKind::Mixed;
    }
}

}  // namespace lh::items

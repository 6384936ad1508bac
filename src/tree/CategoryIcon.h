#pragma once

#include <cstdint>

#include "store/Kinds.h"

namespace lh::tree {

// Places in the strip of eleven 16 x 16 category icons.
inline constexpr int kCategoryIconCount = 11;
inline constexpr int kRootIcon = 0;
inline constexpr int kMixedIcon = 3;  // also "Recycle"
inline constexpr int kFileIcon = 5;
inline constexpr int kFavouritesIcon = 6;
inline constexpr int kRemindIcon = 7;

// The icon of a category: the root, "WebFavorite" and "Recycle" by id, every other by class.
inline int categoryIconIndex(std::uint16_t id, std::uint8_t flags) {
    switch (id) {
        case store::kRootId:
            return kRootIcon;
        case store::kFavoritesId:
            return kFavouritesIcon;
        case store::kRecycleId:
            return kMixedIcon;
        default:
            break;
    }
    switch (flags & store::kClassMask) {
        case store::kClassUrl:
            return kFavouritesIcon;
        case store::kClassFile:
            return kFileIcon;
        case store::kClassRemind:
            return kRemindIcon;
        default:
            return kMixedIcon;
    }
}

}  // namespace lh::tree

#pragma once

#include <cstdint>

namespace lh::store {

// An item's kind is the low nibble of its `flags`.
inline constexpr std::uint32_t kKindMask = 0x0F;
inline constexpr std::uint32_t kKindUrl = 1;
inline constexpr std::uint32_t kKindFile = 4;
inline constexpr std::uint32_t kKindRemind = 6;

// A category's class is the high nibble of its `flags`; the low nibble set means "show expanded".
inline constexpr std::uint8_t kClassMask = 0xF0;
inline constexpr std::uint8_t kClassUrl = 0x10;
inline constexpr std::uint8_t kClassFile = 0x40;
inline constexpr std::uint8_t kClassRemind = 0x60;
inline constexpr std::uint8_t kExpandedMask = 0x0F;

// A category's runtime id: 16 bits, handed out in order and never reused within one run; a load
// numbers the categories 0, 1, 2, ... in file order.
using CategoryId = std::uint16_t;
// An item's runtime id: handed out from 1 in order and never reused within one run of the
// program; never stored in the file.
using ItemId = std::uint32_t;
inline constexpr ItemId kNoItemId = 0;

// Fixed categories.
inline constexpr CategoryId kRootId = 0;
inline constexpr CategoryId kFavoritesId = 1;
inline constexpr CategoryId kRecycleId = 2;
// Reminders kept in this category never ring.
inline constexpr CategoryId kSilentRemindersId = 6;

// The root, "WebFavorite" and "Recycle": never renamed, moved or deleted by the user.
constexpr bool isFixedCategory(CategoryId id) {
    return id <= kRecycleId;
}

// Category ids are 16-bit; the counter stops before it would wrap.
inline constexpr std::uint32_t kCategoryIdLimit = 0xFFFF;

// An item without a favourites-menu slot.
inline constexpr std::uint32_t kNoMenuId = 0xFFFFFFFF;
// The favourites-menu command of slot N is kFavouritesCommandBase + N.
inline constexpr std::uint32_t kFavouritesCommandBase = 39002;

}  // namespace lh::store

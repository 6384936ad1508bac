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

// Fixed categories.
inline constexpr std::uint16_t kRootId = 0;
inline constexpr std::uint16_t kFavoritesId = 1;
inline constexpr std::uint16_t kRecycleId = 2;
// Reminders kept in this category never ring.
inline constexpr std::uint16_t kSilentRemindersId = 6;

// Category ids are 16-bit; the counter stops before it would wrap.
inline constexpr std::uint32_t kCategoryIdLimit = 0xFFFF;

// An item without a favourites-menu slot.
inline constexpr std::uint32_t kNoMenuId = 0xFFFFFFFF;
// The favourites-menu command of slot N is kFavouritesCommandBase + N.
inline constexpr std::uint32_t kFavouritesCommandBase = 39002;

}  // namespace lh::store

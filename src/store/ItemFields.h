#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/DateTimeStamp.h"

namespace lh::store {

// The stored values of an item, as a dialog, an import or a test fills them for a new item
// (Database::addItem). A new item has all texts empty, rate 1, flags 0 and zero stamps.
struct ItemFields {
    std::string address;
    std::string location;
    std::string title;
    std::string comment;
    std::uint8_t rate = 1;
    std::uint32_t flags = 0;  // kind in the low nibble; reminder schedule bits above
    std::uint64_t fileSize = 0;
    DateTimeStamp createTime;
    DateTimeStamp remindTime;
    bool operator==(const ItemFields&) const = default;
};

// Which values of an item changed (a bit set of ItemField values).
enum class ItemField : std::uint32_t {
    Address = 1u << 0,
    Location = 1u << 1,
    Title = 1u << 2,
    Comment = 1u << 3,
    Rate = 1u << 4,
    Flags = 1u << 5,
    FileSize = 1u << 6,
    CreateTime = 1u << 7,
    RemindTime = 1u << 8,
};
using ItemFieldSet = std::uint32_t;

// The values to change in a stored item (Database::editItem); unset ones stay.
struct ItemEdit {
    std::optional<std::string> address;
    std::optional<std::string> location;
    std::optional<std::string> title;
    std::optional<std::string> comment;
    std::optional<std::uint8_t> rate;
    std::optional<std::uint32_t> flags;
    std::optional<std::uint64_t> fileSize;
    std::optional<DateTimeStamp> createTime;
    std::optional<DateTimeStamp> remindTime;

    // The fields this edit sets.
    ItemFieldSet fields() const;
};

// Which values of a category changed.
enum class CategoryField : std::uint32_t {
    Name = 1u << 0,
    Memo = 1u << 1,
    Class = 1u << 2,
};
using CategoryFieldSet = std::uint32_t;

constexpr bool contains(CategoryFieldSet set, CategoryField field) {
    return (set & static_cast<std::uint32_t>(field)) != 0;
}

}  // namespace lh::store

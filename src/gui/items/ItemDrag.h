#pragma once

#include <QByteArray>
#include <QMimeData>

#include <cstdint>
#include <optional>
#include <vector>

namespace lh::gui {

// Item rows dragged out of the item list, as the category tree receives them.
inline constexpr char kItemRowsMimeType[] = "application/x-linkhaven-item-rows";

struct ItemRows {
    std::uint16_t sourceCategoryId = 0;
    std::vector<std::uint32_t> positions;  // the rows' places in the source category's chain

    bool operator==(const ItemRows&) const = default;
};

// The bytes of a drag: a tag, this process's id (rows dragged out of another running copy of the
// program name categories of another database), the source category and the positions.
QByteArray encodeItemRows(const ItemRows& rows);
// The rows in `bytes`, or nothing when they are malformed or come from another process.
std::optional<ItemRows> decodeItemRows(const QByteArray& bytes);

// Mime data holding `rows` under kItemRowsMimeType; the caller owns it.
QMimeData* createItemRowsMimeData(const ItemRows& rows);
// The rows carried by `mime`, or nothing.
std::optional<ItemRows> itemRowsFrom(const QMimeData* mime);

}  // namespace lh::gui

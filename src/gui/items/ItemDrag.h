#pragma once

#include <QByteArray>
#include <QMimeData>

#include <cstdint>
#include <optional>
#include <vector>

#include "store/Kinds.h"

namespace lh::gui {

// Item rows dragged out of the item list, as the category tree receives them.
inline constexpr char kItemRowsMimeType[] = "application/x-linkhaven-item-rows";

struct DraggedItems {
    store::CategoryId sourceCategoryId = 0;
    std::vector<store::ItemId> itemIds;  // in the order the rows were dragged; a missing one is
                                         // simply left out when the drop is carried out

    bool operator==(const DraggedItems&) const = default;
};

// The bytes of a drag: a tag, this process's id (rows dragged out of another running copy of the
// program name items of another database), the source category and the item ids.
QByteArray encodeItemRows(const DraggedItems& items);
// The items in `bytes`, or nothing when they are malformed or come from another process.
std::optional<DraggedItems> decodeItemRows(const QByteArray& bytes);

// Mime data holding `items` under kItemRowsMimeType; the caller owns it.
QMimeData* createItemRowsMimeData(const DraggedItems& items);
// The items carried by `mime`, or nothing.
std::optional<DraggedItems> itemRowsFrom(const QMimeData* mime);

}  // namespace lh::gui

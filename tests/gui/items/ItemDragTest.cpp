#include "gui/items/ItemDrag.h"

#include <QMimeData>

#include <gtest/gtest.h>

#include <memory>

namespace lh::gui {
namespace {

TEST(ItemDragTest, IdsSurviveTheRoundTripAndMalformedBytesAreRefused) {
    const DraggedItems rows{17, {1, 5, 4000000000u}};
    const QByteArray bytes = encodeItemRows(rows);
    EXPECT_EQ(decodeItemRows(bytes), rows);
    EXPECT_EQ(decodeItemRows(encodeItemRows({2, {}})), (DraggedItems{2, {}}));
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(decodeItemRows(bytes.left(cut))) << cut;
    }
    EXPECT_FALSE(decodeItemRows(bytes + QByteArray(4, '\0')));
    QByteArray otherProcess = bytes;
    otherProcess[11] = static_cast<char>(otherProcess[11] ^ 0x5A);  // the process id's last byte
    EXPECT_FALSE(decodeItemRows(otherProcess));
    QByteArray hugeCount = bytes;
    hugeCount[14] = '\x7F';
    EXPECT_FALSE(decodeItemRows(hugeCount));
    std::unique_ptr<QMimeData> mime(createItemRowsMimeData(rows));
    EXPECT_EQ(itemRowsFrom(mime.get()), rows);
    EXPECT_FALSE(itemRowsFrom(nullptr));
}

}  // namespace
}  // namespace lh::gui

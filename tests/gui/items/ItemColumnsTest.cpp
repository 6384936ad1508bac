#include "gui/items/ItemColumns.h"

#include <gtest/gtest.h>

#include <vector>

namespace lh::gui {
namespace {

using items::FieldCode;
using settings::ColumnLayout;
using Columns = std::vector<ListColumn>;

TEST(ItemColumnsTest, UrlLayoutShowsTheVisibleEntriesInOrderAndWidthsGoToThem) {
    // Rate hidden, Title before it, the image too narrow to grab.
    ColumnLayout layout = ColumnLayout::defaults(ColumnLayout::Kind::Url);
    layout.order = {0, 2, 1, 3, 4, 5};
    layout.entries[1].visible = 0;
    layout.entries[0] = {9, 3, 0};  // the image column shows even when marked hidden
    EXPECT_EQ(applyUrlLayout(layout), (Columns{{FieldCode::RowImage, 20},
                                               {FieldCode::Title, 110},
                                               {FieldCode::Address, 110},
                                               {FieldCode::Comment, 170},
                                               {FieldCode::CreateTime, 90}}));
    EXPECT_EQ(layout.entries[0].width, 20);
    const std::vector<int> positions = {layout.entries[0].position, layout.entries[2].position,
                                        layout.entries[3].position, layout.entries[5].position};
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 4}));

    // The hidden Rate entry kept display position 1, which Title now has as well: a resize of
    // column 1 is Title's.
    ASSERT_EQ(layout.entries[1].position, layout.entries[2].position);
    EXPECT_TRUE(storeColumnWidth(layout, 1, 77));
    EXPECT_EQ(layout.entries[2].width, 77);
    EXPECT_EQ(layout.entries[1].width, 49);
    EXPECT_TRUE(storeColumnWidth(layout, 4, 200));
    EXPECT_EQ(layout.entries[5].width, 200);
    const ColumnLayout before = layout;
    EXPECT_FALSE(storeColumnWidth(layout, 12, 5));
    EXPECT_EQ(layout, before);
    // Only the first nine entries are searched.
    layout.entries[10] = {13, 50, 1};
    EXPECT_FALSE(storeColumnWidth(layout, 13, 5));

    // Numbers past the URL entries and repeated ones are skipped.
    layout = ColumnLayout::defaults(ColumnLayout::Kind::Url);
    layout.order = {0, 7, 1, 1, 3, 2};
    EXPECT_EQ(applyUrlLayout(layout), (Columns{{FieldCode::RowImage, 40},
                                               {FieldCode::Rate, 49},
                                               {FieldCode::Address, 110},
                                               {FieldCode::Title, 110}}));
}

}  // namespace
}  // namespace lh::gui

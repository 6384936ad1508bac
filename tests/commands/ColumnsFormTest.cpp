#include "commands/ColumnsForm.h"

#include <gtest/gtest.h>

namespace lh::commands {
namespace {

using Kind = settings::ColumnLayout::Kind;
using Row = ColumnsForm::Row;

TEST(ColumnsFormTest, TheFirstRowStaysShownAndInPlaceAndButtonsFollowTheRow) {
    settings::ColumnLayout layout = settings::ColumnLayout::defaults(Kind::Url);
    layout.entries[3].visible = 0;  // URL hidden
    ColumnsForm form(layout, Kind::Url);
    EXPECT_FALSE(form.rows()[3].checked);
    EXPECT_FALSE(form.buttons().show || form.buttons().hide || form.buttons().moveDown);

    form.select(0, "");
    form.setChecked(0, false);
    EXPECT_TRUE(form.rows()[0].checked);
    const ColumnsForm::Buttons first = form.buttons();
    EXPECT_FALSE(first.show || first.hide || first.moveUp || first.moveDown);
    form.select(1, "40");
    EXPECT_FALSE(form.buttons().moveUp);  // nothing moves above the picture
    EXPECT_TRUE(form.buttons().moveDown);
    form.select(3, "49");
    EXPECT_TRUE(form.buttons().show && !form.buttons().hide);
    form.select(5, "110");
    EXPECT_TRUE(form.buttons().moveUp && !form.buttons().moveDown);
}

TEST(ColumnsFormTest, TypedWidthsStayWithTheirRowAndOkNumbersTheShownColumns) {
    const settings::ColumnLayout original = settings::ColumnLayout::defaults(Kind::Url);
    ColumnsForm form(original, Kind::Url);
    form.select(2, "");     // Title
    form.select(4, "250");  // 250 was typed for Title, then Comment chosen
    EXPECT_EQ(form.selectedWidth(), "170");
    form.moveUp();                                            // Comment above URL
    form.setChecked(4, false);                                // URL, now fifth, hidden
    form.select(1, "3");                                      // too narrow: kept at the least width
    const settings::ColumnLayout out = form.result("99999");  // Rate too wide
    EXPECT_EQ(out.entries[2].width, 250);
    EXPECT_EQ(out.entries[4].width, ColumnsForm::kMinWidth);
    EXPECT_EQ(out.entries[1].width, ColumnsForm::kMaxWidth);
    EXPECT_EQ(std::vector<std::uint16_t>(out.order.begin(), out.order.begin() + 6),
              (std::vector<std::uint16_t>{0, 1, 2, 4, 3, 5}));
    // Positions: the picture 0, then each shown row the next; a hidden one keeps the count.
    EXPECT_EQ(out.entries[0].position, 0);
    EXPECT_EQ(out.entries[4].position, 3);
    EXPECT_EQ(out.entries[3].position, 3);
    EXPECT_EQ(out.entries[3].visible, 0);
    EXPECT_EQ(out.entries[5].position, 4);
    EXPECT_TRUE(out.isUsable(Kind::Url));

    form.resetToDefault();  // only the form changes
    EXPECT_EQ(form.result(""), original);
}

}  // namespace
}  // namespace lh::commands

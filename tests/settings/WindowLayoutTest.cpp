#include "settings/WindowLayout.h"

#include <gtest/gtest.h>

namespace lh::settings {
namespace {

TEST(WindowLayoutTest, PaneSizesAreTheStoredRectanglesOrTheDefaults) {
    MainLayout layout;
    const PaneSizes defaults{147, 400, 442, 180, 505, 200};
    EXPECT_EQ(paneSizes(layout), defaults);
    layout.treePane = PaneRect::parse("0017042000200600");  // 580 x 403
    EXPECT_EQ(paneSizes(layout), defaults);                 // needs both rectangles
    layout.detailPane = PaneRect{0, 150, 0, 400};
    layout.placement = WindowPlacement{};
    layout.placement->left = 10;
    layout.placement->right = 910;
    // The item pane takes the rest of the width, and the tree's height less the detail pane's.
    EXPECT_EQ(paneSizes(layout), (PaneSizes{580, 403, 900 - 580, 403 - 150 - 7, 200, 150}));
    layout.treePane = PaneRect{17, 10, 20, 600};  // negative height
    EXPECT_EQ(paneSizes(layout), defaults);
}

}  // namespace
}  // namespace lh::settings

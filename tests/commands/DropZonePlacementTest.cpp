#include "commands/DropZonePlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace lh::commands {
namespace {

TEST(DropZonePlacementTest, AWindowOutOfReachComesBackToThePrimaryScreen) {
    // A secondary screen on the left, the primary one at x 0 with a panel on top.
    DesktopScreens two{{{-1280, 0, 1280, 1024}, {0, 30, 1024, 738}}, 1};
    EXPECT_EQ(placeDropZone(6, 35, two), (DropZonePoint{6, 35}));
    EXPECT_EQ(placeDropZone(-1280, 938, two), (DropZonePoint{-1280, 938}));  // a corner exactly
    EXPECT_EQ(placeDropZone(938, 682, two), (DropZonePoint{938, 682}));
    // Near the right edge it first moves 20 pixels left; from there it may fit.
    EXPECT_EQ(placeDropZone(1008, 100, two), (DropZonePoint{6, 35}));
    DesktopScreens narrow{{{0, 0, 1100, 700}, {1060, 0, 100, 700}}, 0};
    EXPECT_EQ(placeDropZone(1084, 100, narrow), (DropZonePoint{1064, 100}));
    EXPECT_EQ(placeDropZone(1083, 100, narrow), (DropZonePoint{6, 5}));  // not moved, not fitting

    // Under the panel, across the seam of two screens, on a screen that went away, far off.
    EXPECT_EQ(placeDropZone(100, 0, two), (DropZonePoint{6, 35}));
    EXPECT_EQ(placeDropZone(-40, 100, two), (DropZonePoint{6, 35}));
    EXPECT_EQ(placeDropZone(-600, 100, {{{0, 30, 1024, 738}}, 0}), (DropZonePoint{6, 35}));
    EXPECT_EQ(placeDropZone(INT_MAX, INT_MAX, two), (DropZonePoint{6, 35}));
    EXPECT_EQ(placeDropZone(INT_MIN, INT_MIN, two), (DropZonePoint{6, 35}));

    EXPECT_EQ(placeDropZone(-600, 100, {}), (DropZonePoint{-600, 100}));  // nothing to go by
}

TEST(DropZonePlacementTest, TranslucencyNeverMakesTheWindowInvisible) {
    EXPECT_EQ(dropZoneOpacity(0x02, 0), 255);  // bit 0 clear: opaque whatever Alpha says
    EXPECT_EQ(dropZoneOpacity(0x01, 31), 32);
    EXPECT_EQ(dropZoneOpacity(0x01, 32), 32);
    EXPECT_EQ(dropZoneOpacity(0xFF, 200), 200);
}

}  // namespace
}  // namespace lh::commands

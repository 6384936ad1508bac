#include "settings/ScreenFit.h"

#include <gtest/gtest.h>

namespace lh::settings {
namespace {

using Rects = std::vector<ScreenRect>;

TEST(ScreenFitTest, AWindowPartlyOffComesBackWhollyOnTheScreenItOverlapsMost) {
    const Rects one{{0, 0, 1920, 1080}};
    // Wholly on: unchanged, also touching every edge.
    EXPECT_EQ(fitOnScreens({30, 40, 800, 600}, one), (ScreenRect{30, 40, 800, 600}));
    EXPECT_EQ(fitOnScreens({0, 0, 1920, 1080}, one), (ScreenRect{0, 0, 1920, 1080}));
    // Half off to the right and below; half off to the left and above: moved just inside.
    EXPECT_EQ(fitOnScreens({1520, 780, 800, 600}, one), (ScreenRect{1120, 480, 800, 600}));
    EXPECT_EQ(fitOnScreens({-400, -300, 800, 600}, one), (ScreenRect{0, 0, 800, 600}));
    // Larger than the screen: shrunk to it.
    EXPECT_EQ(fitOnScreens({-10, 5, 3000, 2000}, one), (ScreenRect{0, 0, 1920, 1080}));
    // Touching no screen: nothing (the window takes its default place).
    EXPECT_EQ(fitOnScreens({20000, 40, 800, 600}, one), std::nullopt);
    EXPECT_EQ(fitOnScreens({1920, 0, 800, 600}, one), std::nullopt);
    EXPECT_EQ(fitOnScreens({30, 40, 800, 600}, {}), std::nullopt);

    // Two screens side by side, the second smaller and lower: the one with the larger share
    // takes the window, in its own coordinates.
    const Rects two{{0, 0, 1920, 1080}, {1920, 200, 1280, 720}};
    EXPECT_EQ(fitOnScreens({1700, 300, 800, 600}, two), (ScreenRect{1920, 300, 800, 600}));
    EXPECT_EQ(fitOnScreens({1300, 900, 800, 600}, two), (ScreenRect{1120, 480, 800, 600}));
    EXPECT_EQ(fitOnScreens({2900, 100, 1000, 900}, two), (ScreenRect{2200, 200, 1000, 720}));
}

}  // namespace
}  // namespace lh::settings

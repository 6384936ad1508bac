#include "commands/DropZoneClock.h"

#include <gtest/gtest.h>

namespace lh::commands {
namespace {

TEST(DropZoneClockTest, HandsStandRightAtTheExampleTimes) {
    EXPECT_EQ(handPositions({2026, 12, 7, 12, 0, 0, 1}), (HandPositions{0, 0, 0}));
    EXPECT_EQ(handEnd(0, kSecondHandLength), (HandEnd{43, 11}));
    EXPECT_EQ(handEnd(0, kMinuteHandLength), (HandEnd{43, 16}));
    EXPECT_EQ(handEnd(0, kHourHandLength), (HandEnd{43, 23}));

    // The hour hand moves a mark every 12 minutes; the afternoon reads as the morning.
    EXPECT_EQ(handPositions({2026, 12, 7, 3, 30, 45, 1}), (HandPositions{17, 30, 45}));
    EXPECT_EQ(handPositions({2026, 12, 7, 15, 30, 45, 1}), (HandPositions{17, 30, 45}));
    EXPECT_EQ(handPositions({2026, 12, 7, 23, 59, 60, 1}), (HandPositions{59, 59, 0}));
    EXPECT_EQ(handEnd(30, kMinuteHandLength), (HandEnd{43, 70}));
    EXPECT_EQ(handEnd(45, kSecondHandLength), (HandEnd{11, 43}));

    // One o'clock: 20 x 0.5 is exactly 10 (a computed sine of 30 degrees gives 9).
    EXPECT_EQ(handEnd(5, kHourHandLength), (HandEnd{53, 26}));
    // The second and fourth quarters of the dial (the first and third are above).
    EXPECT_EQ(handEnd(20, kSecondHandLength), (HandEnd{70, 59}));
    EXPECT_EQ(handEnd(50, kSecondHandLength), (HandEnd{16, 27}));
    EXPECT_EQ(handEnd(61, kSecondHandLength), handEnd(1, kSecondHandLength));
    EXPECT_EQ(handEnd(-1, kSecondHandLength), handEnd(59, kSecondHandLength));
}

}  // namespace
}  // namespace lh::commands

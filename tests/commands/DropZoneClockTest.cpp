#include "commands/DropZoneClock.h"

#include <gtest/gtest.h>

#include <array>

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
}

// The table again, read as sine and cosine of 6p degrees over the whole dial.
double sineOfMark(int p) {
    constexpr std::array<double, 16> t = {0,          0.10452,    0.20791,     0.30901,
                                          0.40673664, 0.5,        0.58778525,  0.669130606,
                                          0.74314482, 0.80901699, 0.866025403, 0.913545,
                                          0.9510565,  0.9781476,  0.9945218,   1.0};
    p %= 60;
    const auto at = [&](int k) { return t[static_cast<std::size_t>(k)]; };
    if (p <= 15)
        return at(p);
    if (p <= 30)
        return at(30 - p);
    if (p <= 45)
        return -at(p - 30);
    return -at(60 - p);
}

TEST(DropZoneClockTest, EveryMarkEndsWhereTheSineTableSays) {
    for (int length : {kSecondHandLength, kMinuteHandLength, kHourHandLength}) {
        for (int p = 0; p < 60; ++p) {
            const HandEnd expected{10 + static_cast<int>(length * sineOfMark(p)),
                                   20 - static_cast<int>(length * sineOfMark(p + 15))};
            EXPECT_EQ(handEnd(p, length, 10, 20), expected) << "mark " << p << " length " << length;
        }
    }
    EXPECT_EQ(handEnd(61, kSecondHandLength), handEnd(1, kSecondHandLength));
    EXPECT_EQ(handEnd(-1, kSecondHandLength), handEnd(59, kSecondHandLength));
}

}  // namespace
}  // namespace lh::commands

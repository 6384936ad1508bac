#include "store/RemindKey.h"

#include <gtest/gtest.h>

namespace lh::store {
namespace {

TEST(RemindKeyTest, SpellsTheScheduleAsDigits) {
    EXPECT_EQ(remindKey(6, {7, 2, 15, 9, 5, 0, 0}), 702150905u);
    EXPECT_EQ(remindKey(6, {2007, 12, 25, 18, 30, 0, 0}), 712251830u);  // year modulo 100
    EXPECT_EQ(remindKey(6 | kScheduleYearly, {7, 12, 24, 18, 0, 0, 0}), 12241800u);
    EXPECT_EQ(remindKey(6 | kScheduleWeekdays | 0x40, {7, 12, 24, 7, 30, 0, 0}), 730u);
    // Past 2021 a one-time key no longer fits 31 bits; it must still be exact.
    EXPECT_EQ(remindKey(6, {99, 12, 31, 23, 59, 0, 0}), 9912312359u);
    EXPECT_NE(remindKey(6, {22, 1, 1, 0, 0, 0, 0}), remindKey(6, {21, 1, 1, 0, 0, 0, 0}));
}

TEST(RemindKeyTest, ImpossibleFieldsGiveNoKey) {
    EXPECT_FALSE(remindKey(6, {26, 0, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(remindKey(6, {26, 13, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(remindKey(6, {26, 1, 32, 0, 0, 0, 0}));
    EXPECT_FALSE(remindKey(6, {26, 1, 1, 24, 0, 0, 0}));
    EXPECT_FALSE(remindKey(6 | kScheduleYearly, {26, 1, 0, 10, 0, 0, 0}));
    EXPECT_FALSE(remindKey(6 | kScheduleWeekdays, {0, 0, 0, 7, 60, 0, 0}));
    EXPECT_EQ(remindKey(6 | kScheduleWeekdays, {0, 0, 0, 7, 59, 0, 0}), 759u);  // date unused
}

TEST(RemindKeyTest, DueKeysAndExpiryUseTheSameDigits) {
    const platform::LocalTime now{2026, 12, 6, 9, 30, 41, 0};
    const auto keys = dueRemindKeys(now);
    EXPECT_EQ(keys[0], 2612060930u);
    EXPECT_EQ(keys[1], 12060930u);
    EXPECT_EQ(keys[2], 930u);
    EXPECT_EQ(remindKey(6, {26, 12, 6, 9, 30, 0, 0}), keys[0]);
    EXPECT_FALSE(isExpiredOnceReminder(6, {26, 12, 6, 9, 30, 0, 0}, now));  // this minute
    EXPECT_TRUE(isExpiredOnceReminder(6, {26, 12, 6, 9, 29, 0, 0}, now));
    EXPECT_TRUE(isExpiredOnceReminder(6, {25, 12, 31, 23, 59, 0, 0}, now));
    EXPECT_FALSE(isExpiredOnceReminder(6 | kScheduleYearly, {20, 1, 1, 0, 0, 0, 0}, now));
}

}  // namespace
}  // namespace lh::store

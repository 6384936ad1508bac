#include "store/RemindKey.h"

#include <gtest/gtest.h>

namespace lh::store {
namespace {

TEST(RemindKeyTest, SpellsTheScheduleAsDigitsOrGivesNoKey) {
    const std::tuple<std::uint32_t, DateTimeStamp, std::optional<RemindKey>> cases[] = {
        {6, {7, 2, 15, 9, 5, 0, 0}, 702150905u},
        {6, {2007, 12, 25, 18, 30, 0, 0}, 712251830u},  // year modulo 100
        // Past 2021 a one-time key no longer fits 31 bits; it must still be exact.
        {6, {99, 12, 31, 23, 59, 0, 0}, 9912312359u},
        {6 | kScheduleYearly, {7, 12, 24, 18, 0, 0, 0}, 12241800u},
        {6 | kScheduleWeekdays | 0x40, {7, 12, 24, 7, 59, 0, 0}, 759u},  // date unused
        {6, {26, 0, 1, 0, 0, 0, 0}, std::nullopt},
        {6, {26, 13, 1, 0, 0, 0, 0}, std::nullopt},
        {6, {26, 1, 32, 0, 0, 0, 0}, std::nullopt},
        {6, {26, 1, 1, 24, 0, 0, 0}, std::nullopt},
        {6 | kScheduleYearly, {26, 1, 0, 10, 0, 0, 0}, std::nullopt},
        {6 | kScheduleWeekdays, {0, 0, 0, 7, 60, 0, 0}, std::nullopt},
    };
    for (const auto& [flags, when, key] : cases) {
        EXPECT_EQ(remindKey(flags, when), key) << key.value_or(0) << " from " << +when.month;
    }
}

TEST(RemindKeyTest, DueKeysAndExpiryUseTheSameDigits) {
    const platform::LocalTime now{2026, 12, 6, 9, 30, 41, 0};
    EXPECT_EQ(dueRemindKeys(now), (std::array<RemindKey, 3>{2612060930u, 12060930u, 930u}));
    EXPECT_EQ(remindKey(6, {26, 12, 6, 9, 30, 0, 0}), dueRemindKeys(now)[0]);
    EXPECT_FALSE(isExpiredOnceReminder(6, {26, 12, 6, 9, 30, 0, 0}, now));  // this minute
    EXPECT_TRUE(isExpiredOnceReminder(6, {26, 12, 6, 9, 29, 0, 0}, now));
    EXPECT_TRUE(isExpiredOnceReminder(6, {25, 12, 31, 23, 59, 0, 0}, now));
    // Early January is ahead of late December, whatever the month lengths.
    EXPECT_FALSE(isExpiredOnceReminder(6, {27, 1, 1, 0, 5, 0, 0}, {2026, 12, 31, 23, 0, 0, 4}));
    EXPECT_TRUE(isExpiredOnceReminder(6, {26, 12, 31, 22, 59, 0, 0}, {2026, 12, 31, 23, 0, 0, 4}));
    EXPECT_FALSE(isExpiredOnceReminder(6 | kScheduleYearly, {20, 1, 1, 0, 0, 0, 0}, now));
}

TEST(RemindKeyTest, WeekdayBitsRunMondayToSunday) {
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(weekdayBit(day), 0x40u << (day - 1)) << day;  // the bits the file stores
    }
    EXPECT_EQ(weekdayBit(0), 0u);
    EXPECT_EQ(weekdayBit(8), 0u);
}

}  // namespace
}  // namespace lh::store

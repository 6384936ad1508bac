#include "commands/Housekeeping.h"

#include <gtest/gtest.h>

#include <vector>

#include "commands/Autosave.h"

namespace lh::commands {
namespace {

using reminders::Announcement;

constexpr std::int64_t kStart = 1'796'549'400;

TEST(HousekeepingTest, StartsTheUpdateCheckOnceAndSavesAfterTheInterval) {
    Housekeeping h;
    std::vector<int> updateChecks;
    std::vector<int> saves;
    for (int tick = 1; tick <= 210; ++tick) {
        const Housekeeping::Tick t = h.tick(kStart + tick * 10, 1020, true);
        if (t.startUpdateCheck) {
            updateChecks.push_back(tick);
        }
        if (t.save) {
            saves.push_back(tick * kHousekeepingTickSeconds);
        }
    }
    EXPECT_EQ(updateChecks, std::vector<int>{7});  // 70 seconds after the start
    EXPECT_EQ(saves, (std::vector<int>{1030, 2060}));
}

TEST(HousekeepingTest, SnoozesComeBackAtTheirInstantInOrder) {
    Housekeeping h;
    const Announcement tea{"tea", "", "Dates", "", 3, std::nullopt};
    const Announcement call{"call", "", "Dates", "", 1, std::nullopt};
    h.snoozes.add(tea, 600, kStart);
    h.snoozes.add(call, 300, kStart + 300);  // due at the same instant, put off later
    int dueTick = 0;
    for (int tick = 1; tick <= 70 && dueTick == 0; ++tick) {
        const Housekeeping::Tick t = h.tick(kStart + tick * 10, 1020, false);
        if (!t.due.empty()) {
            EXPECT_EQ(t.due, (std::vector<Announcement>{tea, call}));
            dueTick = tick;
        }
    }
    EXPECT_EQ(dueTick, 60);  // 600 s in 10-second ticks
    EXPECT_TRUE(h.snoozes.entries().empty());
    // A suspend of an hour: the first tick after it shows the alarm, not 600 s of ticks later.
    h.snoozes.add(tea, 600, kStart + 1000);
    EXPECT_TRUE(h.tick(kStart + 1010, 1020, false).due.empty());
    EXPECT_EQ(h.tick(kStart + 1010 + 3600, 1020, false).due, std::vector<Announcement>{tea});
}

}  // namespace
}  // namespace lh::commands

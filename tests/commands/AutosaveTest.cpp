#include "commands/Autosave.h"

#include <gtest/gtest.h>

#include <vector>

namespace lh::commands {
namespace {

// The seconds after start at which `ticks` housekeeping ticks save.
std::vector<int> savesOver(int ticks, int intervalSeconds, bool enabled) {
    std::vector<int> saves;
    int counter = 0;
    for (int tick = 1; tick <= ticks; ++tick) {
        const AutosaveStep step = autosaveTick(counter, intervalSeconds, enabled);
        counter = step.counter;
        if (step.save) {
            saves.push_back(tick * kHousekeepingTickSeconds);
        }
    }
    return saves;
}

TEST(AutosaveTest, SavesOnceTheCountExceedsTheInterval) {
    EXPECT_EQ(autosaveTick(0, 30, true), (AutosaveStep{10, false}));
    EXPECT_EQ(autosaveTick(20, 30, true), (AutosaveStep{30, false}));  // equal is not beyond
    EXPECT_EQ(autosaveTick(30, 30, true), (AutosaveStep{0, true}));
    // 17 minutes: every 1030 s, not every 1020 s.
    EXPECT_EQ(savesOver(310, 1020, true), (std::vector<int>{1030, 2060, 3090}));
    // A shortened interval saves at the next tick.
    EXPECT_EQ(autosaveTick(500, 120, true), (AutosaveStep{0, true}));
}

TEST(AutosaveTest, CountsOnWhileSwitchedOff) {
    EXPECT_EQ(savesOver(200, 1020, false), std::vector<int>{});
    EXPECT_EQ(autosaveTick(1020, 1020, false), (AutosaveStep{0, false}));
}

}  // namespace
}  // namespace lh::commands

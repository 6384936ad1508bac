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

TEST(AutosaveTest, SavesOnceTheCountExceedsTheIntervalAndCountsOnWhileOff) {
    // 17 minutes: every 1030 s, not every 1020 s (equal is not beyond).
    EXPECT_EQ(savesOver(310, 1020, true), (std::vector<int>{1030, 2060, 3090}));
    // A shortened interval saves at the next tick.
    EXPECT_EQ(autosaveTick(500, 120, true), (AutosaveStep{0, true}));
    // Switched off, the count still starts again.
    EXPECT_EQ(autosaveTick(1020, 1020, false), (AutosaveStep{0, false}));
}

}  // namespace
}  // namespace lh::commands

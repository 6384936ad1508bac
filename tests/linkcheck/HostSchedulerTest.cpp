#include "linkcheck/HostScheduler.h"

#include <gtest/gtest.h>

#include <map>

namespace lh::linkcheck {
namespace {

using namespace std::chrono_literals;
using TimePoint = HostScheduler::TimePoint;

const TimePoint kStart = TimePoint{} + 1000s;

std::vector<std::size_t> drain(HostScheduler& s, TimePoint now) {
    std::vector<std::size_t> jobs;
    while (const auto job = s.next(now)) {
        jobs.push_back(*job);
    }
    return jobs;
}

TEST(HostSchedulerTest, HostsTakeTurnsWithinTheLimits) {
    HostScheduler s(3, 2, 0ms);
    for (std::size_t job : {0, 1, 2, 3}) {
        s.add(job, "big.example");
    }
    s.add(4, "small.example");
    s.add(5, "other.example");
    // One host's many links do not go first: the hosts alternate, and no more than 3 at once.
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{0, 4, 5}));
    s.finished("small.example");
    s.finished("other.example");
    // Places are free, but big.example may only have two at once.
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{1}));
    EXPECT_EQ(s.inFlight(), 2u);
    EXPECT_FALSE(s.idle());
    for (int i = 0; i < 2; ++i) {
        s.finished("big.example");
    }
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{2, 3}));
}

TEST(HostSchedulerTest, StartsToOneHostAreSpacedAndPausesHonoured) {
    HostScheduler s(10, 2, 250ms);
    s.add(0, "a.example");
    s.add(1, "a.example");
    s.add(2, "a.example");
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{0}));
    EXPECT_EQ(s.nextChance(), kStart + 250ms);
    EXPECT_TRUE(drain(s, kStart + 249ms).empty());
    EXPECT_EQ(drain(s, kStart + 250ms), (std::vector<std::size_t>{1}));
    s.finished("a.example");
    s.pause("a.example", kStart + 5s);
    EXPECT_EQ(s.nextChance(), kStart + 5s);
    EXPECT_TRUE(drain(s, kStart + 4s).empty());
    EXPECT_EQ(drain(s, kStart + 5s), (std::vector<std::size_t>{2}));
}

TEST(HostSchedulerTest, DelayedFollowUpsComeFirstWhenDue) {
    HostScheduler s(1, 1, 0ms);
    s.add(0, "a.example");
    s.add(1, "a.example");
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{0}));
    s.finished("a.example");
    s.add(0, "a.example", kStart + 30s, true);  // the retry
    EXPECT_EQ(drain(s, kStart), (std::vector<std::size_t>{1}));
    s.finished("a.example");
    EXPECT_EQ(s.nextChance(), kStart + 30s);
    EXPECT_TRUE(drain(s, kStart + 29s).empty());
    EXPECT_EQ(drain(s, kStart + 30s), (std::vector<std::size_t>{0}));
    s.finished("a.example");
    EXPECT_TRUE(s.idle());
    EXPECT_FALSE(s.nextChance());
}

}  // namespace
}  // namespace lh::linkcheck

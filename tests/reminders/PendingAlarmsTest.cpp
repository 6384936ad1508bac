#include "reminders/PendingAlarms.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lh::reminders {
namespace {

TEST(PendingAlarmsTest, KeepsEveryFieldAndSkipsLinesThatDoNotRead) {
    const std::vector<SnoozeEntry> entries{
        {{"tea\tnow", "line 1\nline 2\\", "Dates", "/snd/a b.wav", 5,
          platform::LocalTime{2026, 12, 31, 22, 0, 0, 4}},
         1'796'549'400},
        {{"", "", "", "", 1, std::nullopt}, 0},
    };
    const std::string text = encodePendingAlarms(entries);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_EQ(decodePendingAlarms(text), entries);
    EXPECT_EQ(decodePendingAlarms("x\t1\t\ta\tb\tc\td\n" + text +
                                  "1\t300\t\ta\tb\tc\td\n"
                                  "1\t1\t2026-02-30 10:00\ta\tb\tc\td\n1\t1\t\ta\tb\tc\n"),
              entries);
    EXPECT_TRUE(decodePendingAlarms("").empty());
}

}  // namespace
}  // namespace lh::reminders

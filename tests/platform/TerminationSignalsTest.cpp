#include "platform/TerminationSignals.h"

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace lh::platform {
namespace {

TEST(TerminationSignalsTest, EachSignalLeavesItsNumberOnThePipe) {
    const int fd = terminationSignalPipe();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(terminationSignalPipe(), fd);  // set up once
    char byte = 0;
    EXPECT_EQ(::read(fd, &byte, 1), -1);  // nothing yet, and reading does not block
    for (const int signal : {SIGHUP, SIGTERM, SIGINT}) {
        ASSERT_EQ(::raise(signal), 0);  // the process goes on
        ASSERT_EQ(::read(fd, &byte, 1), 1);
        EXPECT_EQ(byte, static_cast<char>(signal));
    }
}

}  // namespace
}  // namespace lh::platform

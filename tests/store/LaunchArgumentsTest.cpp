#include "store/LaunchArguments.h"

#include <gtest/gtest.h>

namespace lh::store {
namespace {

using Kind = LaunchRequest::Kind;
using Args = std::vector<std::string>;

TEST(LaunchArgumentsTest, HelpAndVersionEndTheStartOthersAreIgnoredButDatabases) {
    EXPECT_EQ(readLaunchArguments({"--help"}).kind, Kind::Help);
    EXPECT_EQ(readLaunchArguments({"a.lhd", "-h"}).kind, Kind::Help);
    EXPECT_EQ(readLaunchArguments({"x", "--version", "--help"}).kind, Kind::Version);
    EXPECT_EQ(readLaunchArguments({"--helpful"}).kind, Kind::Run);

    const LaunchRequest run = readLaunchArguments({"notes.txt", "my.LHD", "-x", "b.lhd"});
    EXPECT_EQ(run.kind, Kind::Run);
    EXPECT_EQ(run.ignored, (Args{"notes.txt", "-x"}));
    EXPECT_EQ(ignoredArgumentsLine(run.ignored),
              "linkhaven: ignored (not a .lhd file): notes.txt -x\n");
    EXPECT_EQ(ignoredArgumentsLine({}), "");

    EXPECT_EQ(launchVersionText("1.00"), "Linkhaven 1.00\n");
    const std::string help = launchHelpText();
    EXPECT_NE(help.find("--version"), std::string::npos);
    EXPECT_EQ(help.back(), '\n');
}

}  // namespace
}  // namespace lh::store

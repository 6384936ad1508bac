#include "browse/BrowserCommand.h"

#include <gtest/gtest.h>

namespace lh::browse {
namespace {

using Words = std::vector<std::string>;

TEST(BrowserCommandTest, SplitsLikeAShellWithoutExpanding) {
    EXPECT_EQ(splitCommand("firefox -new-window"), (Words{"firefox", "-new-window"}));
    EXPECT_EQ(splitCommand("  \"/opt/My Browser/run\"  -nohome "),
              (Words{"/opt/My Browser/run", "-nohome"}));
    EXPECT_EQ(splitCommand("'$HOME/b'  \"a\\\"b\" c\\ d"), (Words{"$HOME/b", "a\"b", "c d"}));
    EXPECT_EQ(splitCommand("x\"y z\"'w'"), (Words{"xy zw"}));
    EXPECT_EQ(splitCommand("\"\""), (Words{""}));
    EXPECT_EQ(splitCommand("a;b $(rm) `x`"), (Words{"a;b", "$(rm)", "`x`"}));
    EXPECT_FALSE(splitCommand("\"/opt/browser -x"));
    EXPECT_FALSE(splitCommand("it's"));
    EXPECT_EQ(splitCommand(""), Words{});
}

// A program chosen in a file dialog goes into the browser field so that it splits back as itself.
TEST(BrowserCommandTest, ProgramsAreQuotedOnlyWhenTheSplitterNeedsIt) {
    EXPECT_EQ(quoteProgram("/usr/bin/firefox"), "/usr/bin/firefox");
    for (const std::string program : {"/opt/My Browser/run", "/a/\"q\"/b", "/a\\b", "/a b\\",
                                      "/a/$HOME/`x`", "/it's", "/a\tb", ""}) {
        EXPECT_EQ(splitCommand(quoteProgram(program) + " --new"), (Words{program, "--new"}))
            << program;
    }
}

TEST(BrowserCommandTest, DesktopExecLosesItsFieldCodes) {
    EXPECT_EQ(desktopExecCommand("firefox-esr %u"), (Words{"firefox-esr"}));
    EXPECT_EQ(desktopExecCommand("\"/opt/b b/run\" --new-window %F"),
              (Words{"/opt/b b/run", "--new-window"}));
    EXPECT_EQ(desktopExecCommand("run 100%%"), (Words{"run", "100%"}));
    EXPECT_FALSE(desktopExecCommand("%u"));
    EXPECT_FALSE(desktopExecCommand("\"unclosed"));
}

TEST(BrowserCommandTest, AddressIsOneArgumentAndNeverAnOption) {
    const std::string hostile = "http://x/\"; rm -rf ~; $(touch /tmp/p) `id` 'q' a b";
    LaunchPlan plan = planOpenUrlWithCommand(hostile, "\"/opt/My Browser/run\" -nohome");
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(plan.program, "/opt/My Browser/run");
    EXPECT_EQ(plan.arguments, (Words{"-nohome", hostile}));

    EXPECT_FALSE(planOpenUrlWithCommand("-remote=evil", "firefox").ok());
    EXPECT_FALSE(planOpenUrlWithCommand("http://a/\nb", "firefox").ok());
    EXPECT_FALSE(planOpenUrlWithCommand(std::string("http://a/\0b", 11), "firefox").ok());
    EXPECT_FALSE(planOpenUrlWithCommand("http://a/", "\"firefox").ok());
    EXPECT_NE(planOpenUrlWithCommand("http://a/", "\"firefox").error.find("quote"),
              std::string::npos);
    EXPECT_FALSE(planOpenUrlWithCommand("http://a/", "   ").ok());
}

TEST(BrowserCommandTest, CommandLineStaysWithinItsLimit) {
    const std::string command = "\"/opt/b/run\" -x";  // 15 characters as typed
    const std::string address = "http://example.com/" + std::string(1300, 'a');
    const LaunchPlan plan = planOpenUrlWithCommand(address, command);
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(command.size() + 2 + plan.arguments.back().size(), kMaxCommandLine);
    // Cut on a character boundary.
    std::string euros = "http://e/";
    while (euros.size() < 1400) {
        euros += "\xE2\x82\xAC";
    }
    const LaunchPlan cut = planOpenUrl(euros, {"b"});
    EXPECT_LE(1 + 2 + cut.arguments.back().size(), kMaxCommandLine);
    EXPECT_EQ((cut.arguments.back().size() - 9) % 3, 0u);
}

}  // namespace
}  // namespace lh::browse

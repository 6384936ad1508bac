#include "browse/DefaultBrowser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/UserFolders.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace lh::browse {
namespace {

using Words = std::vector<std::string>;

using test::ScopedEnvironment;

void writeDesktopEntry(const std::string& applications, const std::string& exec) {
    std::filesystem::create_directories(applications);
    test::writeBytes(applications + "/web.desktop", "[Desktop Entry]\nExec=" + exec + "\n");
}

TEST(DefaultBrowserTest, ReadsTheExecLineOfTheDesktopEntry) {
    test::TempDir home, system;
    std::filesystem::create_directories(system.file("applications"));
    test::writeBytes(system.file("applications/web.desktop"),
                     "[Desktop Action new]\nExec=wrong --action\n"
                     "[Desktop Entry]\nName=Web\nExec=/usr/bin/web-browser --private %u\n");
    const auto command = desktopEntryCommand("web.desktop", {home.path(), system.path()});
    ASSERT_TRUE(command);
    EXPECT_EQ(*command, (Words{"/usr/bin/web-browser", "--private"}));
    EXPECT_FALSE(desktopEntryCommand("missing.desktop", {home.path(), system.path()}));
    EXPECT_FALSE(desktopEntryCommand("../applications/web.desktop", {system.path()}));
    EXPECT_FALSE(desktopEntryCommand("", {system.path()}));
}

// Which folders are data folders is UserFoldersTest's; these are the ones the environment names.
TEST(DefaultBrowserTest, LooksInTheDataFoldersLeavingOutARelativeXdgDataHome) {
    test::TempDir home, data;
    writeDesktopEntry(data.file("applications"), "/opt/data/browser --new %u");
    ScopedEnvironment environment;
    environment.set("HOME", home.path());
    environment.set("XDG_DATA_DIRS", "/nonexistent");
    environment.set("XDG_DATA_HOME", "share");
    EXPECT_EQ(platform::dataFolders(), (Words{home.file(".local/share"), "/nonexistent"}));

    environment.set("XDG_DATA_HOME", data.path());
    EXPECT_EQ(defaultBrowserFor("web.desktop"), (Words{"/opt/data/browser", "--new"}));
}

}  // namespace
}  // namespace lh::browse

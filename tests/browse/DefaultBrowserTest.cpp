#include "browse/DefaultBrowser.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "support/TempDir.h"

namespace lh::browse {
namespace {

using Words = std::vector<std::string>;

// Sets environment variables for the length of a test and puts back what was there.
class ScopedEnvironment {
public:
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        m_saved.try_emplace(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// Makes `folder` the current folder for the length of a test.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& folder)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~ScopedCurrentFolder() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

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

TEST(DefaultBrowserTest, IgnoresARelativeXdgDataHome) {
    test::TempDir home, work, system;
    // What a relative XDG_DATA_HOME would name from the current folder, and ~/.local/share.
    writeDesktopEntry(work.file("share/applications"), "/opt/relative/browser %u");
    writeDesktopEntry(home.file(".local/share/applications"), "/opt/home/browser --new %u");
    ScopedEnvironment environment;
    environment.set("HOME", home.path());
    environment.set("XDG_DATA_DIRS", system.path());  // no entry there
    ScopedCurrentFolder inWork(work.path());

    environment.set("XDG_DATA_HOME", "share");
    auto command = defaultBrowserFor("web.desktop");
    ASSERT_TRUE(command);
    EXPECT_EQ(*command, (Words{"/opt/home/browser", "--new"}));

    // The same folder named absolutely is taken.
    environment.set("XDG_DATA_HOME", work.file("share"));
    command = defaultBrowserFor("web.desktop");
    ASSERT_TRUE(command);
    EXPECT_EQ(*command, Words{"/opt/relative/browser"});
}

}  // namespace
}  // namespace lh::browse

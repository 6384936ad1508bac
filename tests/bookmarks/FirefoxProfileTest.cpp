#include "bookmarks/FirefoxProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

TEST(FirefoxProfileTest, PicksTheInstallDefaultThenTheMarkedProfileThenProfile0) {
    const std::string ini =
        "[Profile1]\r\nName=old\r\nIsRelative=0\r\nPath=/data/ff/old.profile\r\nDefault=1\r\n\r\n"
        "[Profile0]\nName=default-release\nIsRelative=1\nPath=Profiles/abc.default-release\n\n"
        "[Install4F96D1932A9F858E]\nDefault=Profiles/abc.default-release\nLocked=1\n\n"
        "[General]\nStartWithLastProfile=1\nVersion=2\n";
    EXPECT_EQ(profilesFromIni(ini, "/h/.mozilla/firefox"),
              (Lines{"/h/.mozilla/firefox/Profiles/abc.default-release", "/data/ff/old.profile",
                     "/h/.mozilla/firefox/Profiles/abc.default-release"}));
    // An install default that names an absolute profile, sections in other letter case.
    EXPECT_EQ(profilesFromIni("[profile0]\npath=x.default\n[INSTALLABC]\nDEFAULT=/abs/p\n", "/f"),
              (Lines{"/abs/p", "/f/x.default"}));
    EXPECT_EQ(profilesFromIni("[Profile3]\nIsRelative=0\nPath=/p3\nDefault=1\n", "/f"),
              (Lines{"/p3"}));
    EXPECT_TRUE(profilesFromIni("garbage\n[General]\nVersion=2", "/f").empty());
}

TEST(FirefoxProfileTest, LooksInTheXdgFolderFirstThenTheOlderPlaces) {
    // Without XDG_CONFIG_HOME the XDG folder is below the home folder; the order is proved below.
    FirefoxEnvironment env{"/home/u", ""};
    EXPECT_EQ(firefoxFolders(env).front(), "/home/u/.config/mozilla/firefox");
    env.xdgConfigHome = "/cfg";
    EXPECT_EQ(firefoxFolders(env).front(), "/cfg/mozilla/firefox");

    test::TempDir home;
    env = {home.path(), home.file("config")};
    EXPECT_EQ(findFirefoxProfile(env), "");
    std::filesystem::create_directories(home.file(".mozilla/firefox/p.old"));
    test::writeBytes(home.file(".mozilla/firefox/profiles.ini"), "[Profile0]\nPath=p.old\n");
    EXPECT_EQ(findFirefoxProfile(env), home.file(".mozilla/firefox/p.old"));
    // Current releases keep it under the XDG folder; a profile that is gone is passed over.
    std::filesystem::create_directories(home.file("config/mozilla/firefox/Profiles/new"));
    test::writeBytes(home.file("config/mozilla/firefox/profiles.ini"),
                     "[Profile0]\nPath=Profiles/gone\n[Profile1]\nPath=Profiles/new\nDefault=1\n");
    EXPECT_EQ(findFirefoxProfile(env), home.file("config/mozilla/firefox/Profiles/new"));
}

}  // namespace
}  // namespace lh::bookmarks

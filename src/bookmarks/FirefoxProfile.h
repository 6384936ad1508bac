#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lh::bookmarks {

// Where Firefox keeps its profiles on this system.
struct FirefoxEnvironment {
    std::string home;           // $HOME
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME (empty when unset)

    // The environment of this process.
    static FirefoxEnvironment current();
};

// The folders that may hold Firefox's profiles.ini, in the order they are tried:
// $XDG_CONFIG_HOME/mozilla/firefox (or ~/.config/... when unset or not absolute; current
// releases), ~/.mozilla/firefox (older ones), then the snap and flatpak places.
std::vector<std::string> firefoxFolders(const FirefoxEnvironment& env);

// The profile folders that the text `ini` of a profiles.ini found in `firefoxFolder` names, best
// first: the Default= of an [Install...] section, the profile marked Default=1, then
// [Profile0]. A profile's Path= is taken below `firefoxFolder` when its IsRelative= is 1 (or
// missing), as it stands otherwise. Sections and keys in any letter case.
std::vector<std::string> profilesFromIni(std::string_view ini, const std::string& firefoxFolder);

// The first existing profile folder found along firefoxFolders(env); empty when there is none.
std::string findFirefoxProfile(const FirefoxEnvironment& env);

}  // namespace lh::bookmarks

#include "bookmarks/FirefoxProfile.h"

#include <cstdlib>
#include <map>

#include "platform/Folder.h"
#include "platform/Paths.h"
#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::bookmarks {

namespace {

constexpr std::size_t kIniReadLimit = 1024 * 1024;

// Section name (lower case) -> key (lower case) -> value, sections in file order.
struct Ini {
    std::vector<std::string> order;
    std::map<std::string, std::map<std::string, std::string>> sections;

    const std::string* value(const std::string& section, const std::string& key) const {
        const auto s = sections.find(section);
        if (s == sections.end()) {
            return nullptr;
        }
        const auto k = s->second.find(key);
        return k == s->second.end() ? nullptr : &k->second;
    }
};

Ini parseIni(std::string_view text) {
    Ini ini;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) {
            eol = text.size();
        }
        const std::string_view line = text::trimBlanks(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = text::toLowerAscii(line.substr(1, line.size() - 2));
            if (ini.sections.try_emplace(section).second) {
                ini.order.push_back(section);
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && !section.empty()) {
            ini.sections[section].try_emplace(
                text::toLowerAscii(text::trimBlanks(line.substr(0, equals))),
                std::string(text::trimBlanks(line.substr(equals + 1))));
        }
    }
    return ini;
}

std::string profileFolder(const std::string& path, bool relative, const std::string& base) {
    if (!relative || platform::isAbsolutePath(path)) {
        return path;
    }
    return platform::joinPath(base, path);
}

}  // namespace

FirefoxEnvironment FirefoxEnvironment::current() {
    FirefoxEnvironment env;
    if (const char* home = std::getenv("HOME")) {
        env.home = home;
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME")) {
        env.xdgConfigHome = config;
    }
    return env;
}

std::vector<std::string> firefoxFolders(const FirefoxEnvironment& env) {
    std::vector<std::string> folders;
    // The XDG base-directory rules ignore a relative $XDG_CONFIG_HOME.
    if (platform::isAbsolutePath(env.xdgConfigHome)) {
        folders.push_back(platform::joinPath(env.xdgConfigHome, "mozilla/firefox"));
    } else if (!env.home.empty()) {
        folders.push_back(platform::joinPath(env.home, ".config/mozilla/firefox"));
    }
    if (!env.home.empty()) {
        for (const char* place : {".mozilla/firefox", "snap/firefox/common/.mozilla/firefox",
                                  ".var/app/org.mozilla.firefox/config/mozilla/firefox",
                                  ".var/app/org.mozilla.firefox/.mozilla/firefox"}) {
            const std::string folder = platform::joinPath(env.home, place);
            if (folder != folders.front()) {
                folders.push_back(folder);
            }
        }
    }
    return folders;
}

std::vector<std::string> profilesFromIni(std::string_view text, const std::string& firefoxFolder) {
    const Ini ini = parseIni(text);
    // Path= -> IsRelative of each [Profile...] section, to read an install's Default= the same way.
    std::map<std::string, bool> relativeByPath;
    std::vector<std::string> found;
    std::vector<std::string> marked;
    for (const std::string& name : ini.order) {
        if (name.rfind("profile", 0) != 0) {
            continue;
        }
        const std::string* path = ini.value(name, "path");
        if (path == nullptr || path->empty()) {
            continue;
        }
        const std::string* isRelative = ini.value(name, "isrelative");
        const bool relative = isRelative == nullptr || *isRelative != "0";
        relativeByPath.try_emplace(*path, relative);
        const std::string* isDefault = ini.value(name, "default");
        if (isDefault != nullptr && *isDefault == "1") {
            marked.push_back(profileFolder(*path, relative, firefoxFolder));
        }
    }
    for (const std::string& name : ini.order) {
        const std::string* path = ini.value(name, "default");
        if (name.rfind("install", 0) == 0 && path != nullptr && !path->empty()) {
            const auto known = relativeByPath.find(*path);
            const bool relative = known == relativeByPath.end() || known->second;
            found.push_back(profileFolder(*path, relative, firefoxFolder));
        }
    }
    found.insert(found.end(), marked.begin(), marked.end());
    if (const std::string* path = ini.value("profile0", "path");
        path != nullptr && !path->empty()) {
        const std::string* isRelative = ini.value("profile0", "isrelative");
        found.push_back(
            profileFolder(*path, isRelative == nullptr || *isRelative != "0", firefoxFolder));
    }
    return found;
}

std::string findFirefoxProfile(const FirefoxEnvironment& env) {
    for (const std::string& folder : firefoxFolders(env)) {
        std::string ini;
        if (platform::readFilePrefix(platform::joinPath(folder, "profiles.ini"), kIniReadLimit,
                                     ini) != 0) {
            continue;
        }
        for (const std::string& profile : profilesFromIni(ini, folder)) {
            if (platform::isFolder(profile)) {
                return profile;
            }
        }
    }
    return {};
}

}  // namespace lh::bookmarks

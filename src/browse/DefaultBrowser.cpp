#include "browse/DefaultBrowser.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "browse/BrowserCommand.h"
#include "platform/Paths.h"

namespace lh::browse {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The first line that `command` prints, without its line break; empty on any failure.
std::string firstLineOf(const char* command) {
    FILE* pipe = ::popen(command, "r");
    if (pipe == nullptr) {
        return {};
    }
    char buffer[512] = {};
    std::string line;
    if (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        line = buffer;
    }
    ::pclose(pipe);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

// The Exec= value of the [Desktop Entry] group of a desktop file; empty when there is none.
std::string execValue(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.rfind("Exec=", 0) == 0) {
            return line.substr(5);
        }
    }
    return {};
}

bool isSafeDesktopId(std::string_view id) {
    return !id.empty() && id.find('/') == std::string_view::npos && id != "." && id != ".." &&
           id.size() > 8 && id.substr(id.size() - 8) == ".desktop";
}

}  // namespace

std::vector<std::string> xdgDataFolders() {
    std::vector<std::string> folders;
    std::string home = environment("XDG_DATA_HOME");
    if (home.empty() && !environment("HOME").empty()) {
        home = environment("HOME") + "/.local/share";
    }
    if (!home.empty()) {
        folders.push_back(home);
    }
    std::string dirs = environment("XDG_DATA_DIRS");
    if (dirs.empty()) {
        dirs = "/usr/local/share:/usr/share";
    }
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const auto end = std::min(dirs.find(':', start), dirs.size());
        if (end > start) {
            folders.push_back(dirs.substr(start, end - start));
        }
        start = end + 1;
    }
    return folders;
}

std::optional<std::vector<std::string>> desktopEntryCommand(
    std::string_view desktopId, const std::vector<std::string>& dataFolders) {
    if (!isSafeDesktopId(desktopId)) {
        return std::nullopt;
    }
    for (const std::string& folder : dataFolders) {
        const std::string exec =
            execValue(platform::joinPath(folder, "applications/" + std::string(desktopId)));
        if (!exec.empty()) {
            return desktopExecCommand(exec);
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> findDefaultBrowser() {
    const std::string id = firstLineOf("xdg-settings get default-web-browser 2>/dev/null");
    if (auto command = desktopEntryCommand(id, xdgDataFolders())) {
        return command;
    }
    for (const char* fallback : {"/usr/bin/x-www-browser", "/usr/local/bin/x-www-browser"}) {
        if (::access(fallback, X_OK) == 0) {
            return std::vector<std::string>{fallback};
        }
    }
    return std::nullopt;
}

}  // namespace lh::browse

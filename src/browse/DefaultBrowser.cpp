#include "browse/DefaultBrowser.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "browse/BrowserCommand.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"

namespace lh::browse {

namespace {

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
    return defaultBrowserFor(firstLineOf("xdg-settings get default-web-browser 2>/dev/null"));
}

std::optional<std::vector<std::string>> defaultBrowserFor(std::string_view desktopId) {
    if (auto command = desktopEntryCommand(desktopId, platform::dataFolders())) {
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

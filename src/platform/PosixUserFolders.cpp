#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/Paths.h"
#include "platform/UserFolders.h"

namespace lh::platform {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

std::string homeFolder() {
    if (const std::string_view home = environment("HOME"); isAbsolutePath(home)) {
        return std::string(home);
    }
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

// `dataHome` (unless empty) followed by the absolute folders of the list `xdgDataDirs`.
std::vector<std::string> dataFoldersAfter(std::string dataHome, std::string_view xdgDataDirs) {
    std::vector<std::string> folders;
    if (!dataHome.empty()) {
        folders.push_back(std::move(dataHome));
    }
    if (xdgDataDirs.empty()) {
        xdgDataDirs = "/usr/local/share:/usr/share";
    }
    std::size_t start = 0;
    while (start <= xdgDataDirs.size()) {
        const std::size_t end = std::min(xdgDataDirs.find(':', start), xdgDataDirs.size());
        // Relative entries are invalid and must be ignored, like a relative XDG_DATA_HOME.
        if (const std::string_view folder = xdgDataDirs.substr(start, end - start);
            isAbsolutePath(folder)) {
            folders.emplace_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::string dataHomeFrom(std::string_view xdgDataHome, std::string_view home) {
    // Relative values of XDG_DATA_HOME are invalid and must be ignored.
    if (isAbsolutePath(xdgDataHome)) {
        return std::string(xdgDataHome);
    }
    if (!isAbsolutePath(home)) {
        return {};
    }
    return joinPath(joinPath(home, ".local"), "share");
}

std::vector<std::string> dataFoldersFrom(std::string_view xdgDataHome, std::string_view home,
                                         std::string_view xdgDataDirs) {
    return dataFoldersAfter(dataHomeFrom(xdgDataHome, home), xdgDataDirs);
}

std::vector<std::string> dataFolders() {
    return dataFoldersAfter(dataHomeFolder(), environment("XDG_DATA_DIRS"));
}

std::string dataHomeFolder() {
    const std::string_view xdg = environment("XDG_DATA_HOME");
    if (isAbsolutePath(xdg)) {
        return std::string(xdg);
    }
    return dataHomeFrom({}, homeFolder());
}

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

}  // namespace lh::platform

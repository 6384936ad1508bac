#include <pwd.h>
#include <unistd.h>

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

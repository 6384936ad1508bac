#include "platform/Paths.h"

namespace lh::platform {

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != kPathSeparator) {
        path += kPathSeparator;
    }
    path += name;
    return path;
}

std::string parentFolder(std::string_view path) {
    const auto slash = path.find_last_of(kPathSeparator);
    if (slash == std::string_view::npos) {
        return ".";
    }
    if (slash == 0) {
        return std::string(1, kPathSeparator);
    }
    return std::string(path.substr(0, slash));
}

std::string_view fileName(std::string_view path) {
    const auto slash = path.find_last_of(kPathSeparator);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == kPathSeparator;
}

}  // namespace lh::platform

#include "store/DataFileLocation.h"

#include <filesystem>

#include "platform/Paths.h"
#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::store {

bool hasDatabaseExtension(std::string_view path) {
    const std::string_view name = platform::fileName(path);
    const auto dot = name.find_last_of('.');
    return dot != std::string_view::npos &&
           text::equalsIgnoringAsciiCase(name.substr(dot + 1), "lhd");
}

std::optional<std::string> dataFileFromCommandLine(const std::vector<std::string>& args,
                                                   std::string_view currentFolder) {
    for (const std::string& arg : args) {
        if (!hasDatabaseExtension(arg)) {
            continue;
        }
        if (platform::isAbsolutePath(arg)) {
            return std::filesystem::path(arg).lexically_normal().string();
        }
        const std::filesystem::path absolute =
            std::filesystem::path(currentFolder) / std::filesystem::path(arg);
        return absolute.lexically_normal().string();
    }
    return std::nullopt;
}

std::string defaultDataFile(std::string_view dataHome) {
    if (dataHome.empty()) {
        return {};
    }
    return platform::joinPath(platform::joinPath(dataHome, "Linkhaven"), kDefaultDataFileName);
}

std::string locateDataFile(std::string_view current, const std::optional<std::string>& remotefile,
                           std::string_view defaultPath) {
    if (!current.empty()) {
        return std::string(current);
    }
    if (remotefile && platform::isAbsolutePath(*remotefile)) {
        return *remotefile;
    }
    return std::string(defaultPath);
}

std::string windowTitle(std::string_view dataFile) {
    if (text::trimBlanks(dataFile).empty()) {
        return "Untitled.lhd  Linkhaven";
    }
    return std::string(platform::fileName(dataFile)) + " -- Linkhaven";
}

std::string normaliseExtension(std::string_view chosen) {
    std::string path(text::trimTrailingBlanks(chosen));
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos ||
        !text::equalsIgnoringAsciiCase(std::string_view(path).substr(dot), ".lhd")) {
        path += ".lhd";
    }
    return path;
}

}  // namespace lh::store

#include "items/FilePaths.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Paths.h"
#include "text/Trim.h"

namespace lh::items {

namespace {

// The characters a file name may not hold on either platform.
constexpr std::string_view kNameForbidden = "/:*\"<>|\\";
// Those a Windows path may not hold anywhere (the backslash and the colon have their own rules).
constexpr std::string_view kPathForbidden = "/*\"<>|";
constexpr std::string_view kWindowsFallbackPath = "C:\\Linkhaven";
// From this length on a Windows folder is more than a drive root and needs a backslash.
constexpr std::size_t kDriveRootLength = 4;

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hasDriveLetter(std::string_view path) {
    return path.size() >= 3 && isAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// True when the character at `i` breaks the Windows scan: a backslash right after another, a
// colon after the drive, or a forbidden character.
bool offendsWindowsScan(std::string_view path, std::size_t i) {
    const char c = path[i];
    if (c == '\\') {
        return i > 0 && path[i - 1] == '\\';
    }
    if (c == ':') {
        return i >= 3;
    }
    return kPathForbidden.find(c) != std::string_view::npos;
}

}  // namespace

std::string cleanFileName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (kNameForbidden.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return out;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool isValidWindowsPath(std::string_view path) {
    if (!hasDriveLetter(path)) {
        return false;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (offendsWindowsScan(path, i)) {
            return false;
        }
    }
    return true;
}

std::string cleanWindowsPath(std::string_view path) {
    if (!hasDriveLetter(path)) {
        return std::string(kWindowsFallbackPath);
    }
    std::string out(path);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (offendsWindowsScan(path, i)) {
            out[i] = '_';
        }
    }
    return out;
}

std::string joinWindowsPath(std::string_view folder, std::string_view name) {
    std::string path(text::trimTrailingBlanks(folder));
    if (path.size() >= kDriveRootLength && path.back() != '\\') {
        path += '\\';
    }
    path += name;
    return path;
}

bool isValidFolder(std::string_view folder) {
    return platform::isAbsolutePath(folder) && folder.find('\0') == std::string_view::npos &&
           folder.find("//") == std::string_view::npos;
}

std::string cleanFolder(std::string_view folder) {
    if (folder.size() > 1 && folder.back() == platform::kPathSeparator) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

std::string joinFolderAndName(std::string_view folder, std::string_view name) {
    return platform::joinPath(folder, name);
}

SplitPath splitAtLastSeparator(std::string_view path, char separator) {
    const std::size_t last = path.rfind(separator);
    if (last == std::string_view::npos) {
        return {"", std::string(path)};
    }
    // A file in the root ("/x", "C:\x") keeps the root's separator, so that joining gives the
    // path back.
    const bool inRoot = last == 0 || (last == 2 && path[1] == ':');
    const std::size_t folderEnd = inRoot ? last + 1 : last;
    return {std::string(path.substr(0, folderEnd)), std::string(path.substr(last + 1))};
}

SplitPath splitPath(std::string_view path) {
    return splitAtLastSeparator(path, platform::kPathSeparator);
}

std::optional<std::uint64_t> openableFileSize(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

PathEntry entryAt(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? PathEntry::None : PathEntry::Other;
    }
    return S_ISREG(st.st_mode) ? PathEntry::RegularFile : PathEntry::Other;
}

bool sameFileText(std::string_view a, std::string_view b) {
    return a == b;
}

}  // namespace lh::items

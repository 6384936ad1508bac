#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules for a File item's name and folder: cleaning what the user typed, checking a folder,
// joining and splitting, and whether the file can be opened. The Windows forms (drive letter and
// backslashes) are kept here on every platform so that they stay tested; the native ones are what
// the dialogs use.

namespace lh::items {

// A file name with every / : * " < > | and \ replaced by an underscore.
std::string cleanFileName(std::string_view name);

// True when `name` can be the last part of a path on its own: not empty, not "." or "..", and
// without a separator or NUL.
bool isPlainFileName(std::string_view name);

// --- Windows paths ---------------------------------------------------------------------------
// A drive letter, a colon and a backslash ("c:\..."), then no doubled backslash, no further colon
// and none of / * " < > |.
bool isValidWindowsPath(std::string_view path);
// Each offending character of the scan above becomes an underscore (of a run of backslashes the
// first stays); a path without a drive letter becomes "C:\Linkhaven".
std::string cleanWindowsPath(std::string_view path);
// The folder without trailing blanks, a backslash when it has at least 4 characters and lacks
// one (a drive root "C:\" has its own), then the name.
std::string joinWindowsPath(std::string_view folder, std::string_view name);

// --- Native paths ----------------------------------------------------------------------------
// Linux: absolute, no empty component (a single trailing "/" is allowed) and no NUL.
bool isValidFolder(std::string_view folder);
// A valid folder in the form stored: without a trailing separator, except the root itself.
std::string cleanFolder(std::string_view folder);
// `folder` and `name` with one separator between them (none added when the folder ends in one).
std::string joinFolderAndName(std::string_view folder, std::string_view name);

// A full path split at its last separator: the folder before it (the root keeps its separator)
// and the name after it.
struct SplitPath {
    std::string folder;
    std::string name;
};
SplitPath splitAtLastSeparator(std::string_view path, char separator);
SplitPath splitPath(std::string_view path);

// The size of the file at `path` when it is a regular file this user can read; nothing
// otherwise. The file is opened for reading only and without blocking (a pipe never waits).
std::optional<std::uint64_t> openableFileSize(const std::string& path);

// What lies at a path, not following a symbolic link.
enum class PathEntry { None, RegularFile, Other };
PathEntry entryAt(const std::string& path);

// How file names and folders compare: exactly on Linux, where case matters to the file system.
bool sameFileText(std::string_view a, std::string_view b);

}  // namespace lh::items

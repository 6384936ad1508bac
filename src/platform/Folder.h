#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lh::platform {

// One entry of a folder listing.
struct FolderEntry {
    enum class Kind { Folder, File, Other };
    std::string name;
    // What the entry itself is: a symbolic link is Other whatever it points at, except that a
    // link to a regular file counts as a File (reading it opens that file).
    Kind kind = Kind::Other;
};

// The entries of `folder` (without "." and ".."), sorted by name byte for byte. False when the
// folder cannot be listed (`systemError` then holds the reason).
[[nodiscard]] bool listFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                              int& systemError);

// True when `path` names a folder (following symbolic links).
bool isFolder(const std::string& path);
// True when `path` names a regular file (following symbolic links).
bool isRegularFile(const std::string& path);

// Reads at most `limit` bytes from the start of the regular file `path` into `bytes`, opening it
// read-only (a FIFO or device is refused without blocking). 0 or a system error number.
[[nodiscard]] int readFilePrefix(const std::string& path, std::size_t limit, std::string& bytes);

}  // namespace lh::platform

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"

namespace lh::platform {

// File times, attributes and the few file operations beyond saving that the data file and its
// backups need. Every call that can fail returns 0 or a system error number.

// A last-write time: nanoseconds since 1970-01-01 00:00 UTC, as the file system keeps it.
using FileTime = std::int64_t;

// Whether a path that names a symbolic link stands for the link's target or for the link itself.
enum class Links { Follow, NoFollow };

// True when something exists at `path`. With Links::NoFollow a symbolic link counts by itself,
// so a dangling one exists too; with Links::Follow it counts only when its target exists.
bool pathExists(const std::string& path, Links links = Links::Follow);

// What tells one version of a file from another: the file itself (device, inode) and its size
// and times. A file replaced by a rename has another inode; one written in place, another size
// or time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    FileTime modified = 0;
    FileTime changed = 0;  // the inode's change time: also moves when a file is renamed over it

    bool operator==(const FileStamp&) const = default;
};
// The stamp of the regular file `path` names now (links followed); nothing when there is none.
std::optional<FileStamp> fileStamp(const std::string& path);

// True when `a` and `b` name the same regular file (the same device and inode), whatever the
// paths say.
bool isSameFile(const std::string& a, const std::string& b);

// The size of the regular file at `path`; an error for anything else.
[[nodiscard]] int regularFileSize(const std::string& path, std::uint64_t& size);

// Opens the existing regular file `path` (for reading, and for writing too when `forWriting`)
// and reads its last-write time, so a file this user may not open gives an error.
[[nodiscard]] int fileWriteTime(const std::string& path, bool forWriting, FileTime& time);

// Sets the last-write time of `path` (the access time is left alone).
[[nodiscard]] int setFileWriteTime(const std::string& path, FileTime time);

// Gives the file's owner write permission when the file lacks it (the file is "read-only").
[[nodiscard]] int clearReadOnly(const std::string& path);

// Renames `from` to `to` only when nothing exists at `to` (EEXIST then); never replaces a file.
[[nodiscard]] int renameNoReplace(const std::string& from, const std::string& to);

// Creates `folder` and any missing parents; 0 when it exists already.
[[nodiscard]] int createFolders(const std::string& folder);

// `time` broken down in the local time zone, and in UTC.
LocalTime localTimeOf(FileTime time);
LocalTime utcTimeOf(FileTime time);
// The moment the local wall clock shows `local` (seconds resolution).
FileTime fileTimeOfLocal(const LocalTime& local);

}  // namespace lh::platform

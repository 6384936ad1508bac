#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lh::platform {

// The few file-system calls that saving makes, behind an interface so that tests can make any
// one of them fail (or kill the process at it). Every call returns 0 or a system error number.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates a new, empty file in `folder` whose name starts with `prefix` and did not exist
    // yet (permissions as for any new file of this user); gives its path and a write descriptor
    // that holds a write lock on the file (lockForWriting) until it is closed.
    virtual int createTemporary(const std::string& folder, const std::string& prefix,
                                std::string& path, int& fd) = 0;
    // Opens `path` for writing, creating it when missing, keeping its contents.
    virtual int openForWriting(const std::string& path, int& fd) = 0;
    // Writes all `size` bytes at the current position.
    virtual int write(int fd, const void* data, std::size_t size) = 0;
    // Writes all `size` bytes at `offset`, leaving the current position alone.
    virtual int writeAt(int fd, std::uint64_t offset, const void* data, std::size_t size) = 0;
    virtual int truncate(int fd, std::uint64_t size) = 0;
    virtual int setPermissions(int fd, unsigned mode) = 0;
    // Flushes the file's data to the disk.
    virtual int sync(int fd) = 0;
    virtual int close(int fd) = 0;
    // Replaces `to` with `from` in one step.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    // Removes the file `path` names: a link itself, never what it points to, and never a folder
    // (refused with an error).
    virtual int remove(const std::string& path) = 0;
    // Flushes a folder's entries (so that a rename survives a power cut).
    virtual int syncFolder(const std::string& folder) = 0;
    // 0 when this user may write to the existing file `path` (access check, not an open).
    virtual int checkWritable(const std::string& path) = 0;
    // The permission bits of an existing file; ENOENT when it does not exist.
    virtual int permissions(const std::string& path, unsigned& mode) = 0;
    // The file that `path` finally names after following symbolic links (which may not exist).
    virtual int resolveLinks(const std::string& path, std::string& resolved) = 0;
};

// The real file system of this machine.
FileSystem& realFileSystem();

// Takes a write lock on the whole file open for writing at `fd`, owned by that open file (an
// F_OFD_SETLK lock: another process's attempt fails while it is held, and it goes with the last
// close). 0, or EAGAIN when another holds one, or another system error number.
int lockForWriting(int fd);

}  // namespace lh::platform

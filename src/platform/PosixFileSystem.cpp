#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/FileSystem.h"
#include "platform/LastSystemError.h"
#include "platform/Paths.h"

namespace lh::platform {

namespace {

class PosixFileSystem final : public FileSystem {
public:
    int createTemporary(const std::string& folder, const std::string& prefix, std::string& path,
                        int& fd) override {
        static constexpr char kLetters[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<int> pick(0, sizeof(kLetters) - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = prefix;
            for (int i = 0; i < 8; ++i) {
                name += kLetters[pick(random)];
            }
            path = joinPath(folder, name);
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                // Tells a later start that this file is in use. A file system without locks
                // still saves; its temporary files are then never taken for stale ones.
                (void)lockForWriting(fd);
                return 0;
            }
            if (errno != EEXIST) {
                return lastSystemError();
            }
        }
        return EEXIST;
    }

    int openForWriting(const std::string& path, int& fd) override {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        return fd >= 0 ? 0 : lastSystemError();
    }

    int write(int fd, const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd, bytes, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastSystemError();
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    int writeAt(int fd, std::uint64_t offset, const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::pwrite(fd, bytes, size, static_cast<off_t>(offset));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastSystemError();
            }
            bytes += n;
            offset += static_cast<std::uint64_t>(n);
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    int truncate(int fd, std::uint64_t size) override {
        return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : lastSystemError();
    }

    int setPermissions(int fd, unsigned mode) override {
        return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : lastSystemError();
    }

    int sync(int fd) override { return ::fsync(fd) == 0 ? 0 : lastSystemError(); }

    int close(int fd) override {
        // After close() fails the descriptor is gone anyway; report the error all the same,
        // since on some file systems it is the only news of a failed write.
        return ::close(fd) == 0 ? 0 : lastSystemError();
    }

    int rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : lastSystemError();
    }

    int remove(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? 0 : lastSystemError();
    }

    int syncFolder(const std::string& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return lastSystemError();
        }
        const int result = ::fsync(fd) == 0 ? 0 : lastSystemError();
        ::close(fd);
        // Some file systems cannot sync a folder; the rename itself has happened.
        return result == EINVAL ? 0 : result;
    }

    int checkWritable(const std::string& path) override {
        return ::access(path.c_str(), W_OK) == 0 ? 0 : lastSystemError();
    }

    int permissions(const std::string& path, unsigned& mode) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            return lastSystemError();
        }
        mode = st.st_mode & 07777;
        return 0;
    }

    int resolveLinks(const std::string& path, std::string& resolved) override {
        resolved = path;
        for (int hop = 0; hop < 40; ++hop) {
            struct stat st {};
            if (::lstat(resolved.c_str(), &st) != 0) {
                return errno == ENOENT ? 0 : lastSystemError();  // a missing file is its own answer
            }
            if (!S_ISLNK(st.st_mode)) {
                return 0;
            }
            std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
            const ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
            if (n < 0) {
                return lastSystemError();
            }
            target.resize(static_cast<std::size_t>(n));
            resolved = isAbsolutePath(target) ? target : joinPath(parentFolder(resolved), target);
        }
        return ELOOP;
    }
};

}  // namespace

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

int lockForWriting(int fd) {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;  // l_start 0, l_len 0: the whole file, however long it grows
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
        return 0;
    }
    const int e = lastSystemError();
    return e == EACCES ? EAGAIN : e;  // both mean "held by another"
}

}  // namespace lh::platform

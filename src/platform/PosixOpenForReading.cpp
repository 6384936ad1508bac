#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/OpenForReading.h"

namespace lh::platform {

OpenForReading openForReading(const std::string& path, const char* emptyStep, IoError& error) {
    using Status = OpenForReading::Status;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO must not block us
    if (fd < 0) {
        const int e = errno;
        error = IoError{"open", path, e};
        return {e == ENOENT || e == ENOTDIR ? Status::Missing : Status::Unreadable};
    }
    struct stat st {};
    Status status = Status::Open;
    if (::fstat(fd, &st) != 0) {
        error = IoError{"read size of", path, errno};
        status = Status::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        error = IoError{"open", path, EISDIR};
        status = Status::Unreadable;
    } else if (st.st_size == 0) {
        error = IoError{emptyStep, path, 0};
        status = Status::Empty;
    }
    if (status != Status::Open) {
        ::close(fd);
        return {status};
    }
    return {status, fd, static_cast<std::uint64_t>(st.st_size)};
}

}  // namespace lh::platform

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileReader.h"

namespace lh::platform {

FileReader::~FileReader() {
    close();
}

void FileReader::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = -1;
    m_size = 0;
}

FileReader::Status FileReader::open(const std::string& path) {
    close();
    m_error = {};
    m_path = path;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO must not block us
    if (fd < 0) {
        const int e = errno;
        m_error = IoError{"open", path, e};
        return e == ENOENT || e == ENOTDIR ? Status::Missing : Status::Unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = IoError{"read size of", path, errno};
        ::close(fd);
        return Status::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        m_error = IoError{"open", path, EISDIR};
        ::close(fd);
        return Status::Unreadable;
    }
    if (st.st_size == 0) {
        m_error = IoError{"read", path, 0};
        ::close(fd);
        return Status::Empty;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
    return Status::Open;
}

bool FileReader::readAt(std::uint64_t offset, char* out, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::pread(m_fd, out, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            m_error = n == 0
                          ? IoError{"read", m_path, 0, "the file became shorter while it was read"}
                          : IoError{"read", m_path, errno};
            return false;
        }
        out += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

}  // namespace lh::platform

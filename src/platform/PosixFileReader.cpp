#include <fcntl.h>
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
    const OpenForReading file = openForReading(path, "read", m_error);
    if (file.status != Status::Open) {
        return file.status;
    }
    ::posix_fadvise(file.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_fd = file.fd;
    m_size = file.size;
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

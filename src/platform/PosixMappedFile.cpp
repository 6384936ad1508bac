#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/MappedFile.h"

namespace lh::platform {

MappedFile::~MappedFile() {
    close();
}

void MappedFile::close() {
    if (m_data != nullptr) {
        ::munmap(const_cast<char*>(m_data), m_size);
    }
    m_data = nullptr;
    m_size = 0;
}

MappedFile::Status MappedFile::open(const std::string& path) {
    close();
    m_error = {};
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
        m_error = IoError{"map", path, 0};
        ::close(fd);
        return Status::Empty;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    // Populated at once: the loader reads every page, and one call beats a fault per page.
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    const int mapError = errno;
    ::close(fd);  // the mapping keeps the file's pages reachable
    if (data == MAP_FAILED) {
        m_error = IoError{"map", path, mapError};
        return Status::Unreadable;
    }
    ::madvise(data, size, MADV_SEQUENTIAL);
    m_data = static_cast<const char*>(data);
    m_size = size;
    return Status::Mapped;
}

}  // namespace lh::platform

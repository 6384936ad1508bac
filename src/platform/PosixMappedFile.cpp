#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/MappedFile.h"
#include "platform/OpenForReading.h"

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
    const OpenForReading file = openForReading(path, "map", m_error);
    if (file.status != OpenForReading::Status::Open) {
        return file.status == OpenForReading::Status::Missing ? Status::Missing
               : file.status == OpenForReading::Status::Empty ? Status::Empty
                                                              : Status::Unreadable;
    }
    const int fd = file.fd;
    const auto size = static_cast<std::size_t>(file.size);
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

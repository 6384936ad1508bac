#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/IoError.h"
#include "platform/OpenForReading.h"

namespace lh::platform {

// A regular file opened read-only and read in pieces, each from a given offset: memory holds
// only the piece being read. Never creates or changes the file.
class FileReader {
public:
    // Missing: nothing at that path (or a part of it is not a folder).
    using Status = OpenForReading::Status;

    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens `path` for reading from front to back; any earlier file is closed first. error()
    // tells why on failure.
    [[nodiscard]] Status open(const std::string& path);
    void close();

    // The size when the file was opened.
    std::uint64_t size() const { return m_size; }
    // Exactly `size` bytes from `offset` into `out`. False (error() says why) when a read fails
    // or the file has become shorter.
    [[nodiscard]] bool readAt(std::uint64_t offset, char* out, std::size_t size);
    const IoError& error() const { return m_error; }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::string m_path;
    IoError m_error;
};

}  // namespace lh::platform

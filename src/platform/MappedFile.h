#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/IoError.h"

namespace lh::platform {

// A whole file mapped read-only into memory. Never creates or changes the file.
class MappedFile {
public:
    // Missing: nothing at that path (or a part of it is not a folder).
    enum class Status { Mapped, Missing, Empty, Unreadable };

    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps `path`; any earlier mapping is released first. error() tells why on failure.
    [[nodiscard]] Status open(const std::string& path);
    // Releases the mapping.
    void close();

    std::string_view bytes() const { return {m_data, m_size}; }
    const IoError& error() const { return m_error; }

private:
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    IoError m_error;
};

}  // namespace lh::platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lh::store {

// Where the loader reads the bytes of a .lhd file from: a file on disk, or bytes in memory.
class LhdSource {
public:
    virtual ~LhdSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly `size` bytes from `offset` (within size()) into `out`; false when they cannot be
    // read.
    virtual bool readAt(std::uint64_t offset, char* out, std::size_t size) = 0;
};

// Bytes already in memory.
class LhdBytes final : public LhdSource {
public:
    explicit LhdBytes(std::string_view bytes) : m_bytes(bytes) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    bool readAt(std::uint64_t offset, char* out, std::size_t size) override {
        std::memcpy(out, m_bytes.data() + offset, size);
        return true;
    }

private:
    std::string_view m_bytes;
};

}  // namespace lh::store

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "store/LhdSource.h"

namespace lh::store {

// The body of a .lhd file read front to back in chunks, each byte once, its CRC taken as it
// arrives. The parser takes complete records from window(); a record cut by the chunk's end
// stays in the window and the next refill() puts the rest behind it (reading more than a chunk
// when one record is longer than that).
class LhdChunks {
public:
    LhdChunks(LhdSource& source, std::uint64_t bodyStart, std::size_t chunkSize);

    // The bytes read and not yet consumed.
    std::string_view window() const { return {m_buffer.get() + m_begin, m_end - m_begin}; }
    void consume(std::size_t bytes) { m_begin += bytes; }
    // True when every byte of the file has been read.
    bool readAll() const { return m_offset == m_fileSize; }
    // Keeps the window's bytes and reads at least a chunk more behind them (as much again as
    // the window holds, when that is more). False when a read failed.
    bool refill();
    // Reads the rest of the file for its CRC only. False when a read failed.
    bool readRest();
    std::uint32_t crc() const { return m_crc; }

private:
    bool readInto(char* out, std::size_t size);

    LhdSource& m_source;
    std::uint64_t m_offset;
    std::uint64_t m_fileSize;
    std::size_t m_chunkSize;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_begin = 0, m_end = 0;
    std::uint32_t m_crc = 0;
};

}  // namespace lh::store

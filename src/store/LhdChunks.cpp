#include "store/LhdChunks.h"

#include <algorithm>
#include <cstring>

#include "store/Crc32.h"

namespace lh::store {

LhdChunks::LhdChunks(LhdSource& source, std::uint64_t bodyStart, std::size_t chunkSize)
    : m_source(source),
      m_offset(std::min(bodyStart, source.size())),
      m_fileSize(source.size()),
      m_chunkSize(std::max<std::size_t>(chunkSize, 1)) {}

bool LhdChunks::readInto(char* out, std::size_t size) {
    if (!m_source.readAt(m_offset, out, size)) {
        return false;
    }
    m_crc = crc32(m_crc, out, size);
    m_offset += size;
    return true;
}

bool LhdChunks::refill() {
    const std::size_t kept = m_end - m_begin;
    const std::size_t wanted = std::max(m_chunkSize, kept);
    const auto size =
        static_cast<std::size_t>(std::min<std::uint64_t>(wanted, m_fileSize - m_offset));
    if (kept + size > m_capacity) {
        auto bigger = std::make_unique_for_overwrite<char[]>(kept + size);
        std::copy_n(m_buffer.get() + m_begin, kept, bigger.get());
        m_buffer = std::move(bigger);
        m_capacity = kept + size;
    } else if (kept != 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, kept);
    }
    m_begin = 0;
    m_end = kept;
    if (!readInto(m_buffer.get() + m_end, size)) {
        return false;
    }
    m_end += size;
    return true;
}

bool LhdChunks::readRest() {
    if (m_capacity == 0) {
        m_buffer = std::make_unique_for_overwrite<char[]>(m_chunkSize);
        m_capacity = m_chunkSize;
    }
    m_begin = m_end = 0;
    while (!readAll()) {
        const auto size =
            static_cast<std::size_t>(std::min<std::uint64_t>(m_capacity, m_fileSize - m_offset));
        if (!readInto(m_buffer.get(), size)) {
            return false;
        }
    }
    return true;
}

}  // namespace lh::store

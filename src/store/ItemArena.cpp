#include "store/ItemArena.h"

#include <algorithm>

#include "platform/LargeMemory.h"
#include "platform/Sanitizers.h"

namespace lh::store {

namespace {

constexpr std::size_t kAlignment = alignof(std::max_align_t);
constexpr std::size_t kFirstBlock = std::size_t(256) << 10;  // a small database stays small
constexpr std::size_t kLargestBlock = std::size_t(64) << 20;

}  // namespace

void* ItemArena::allocate(std::size_t bytes) {
    bytes = (bytes + kAlignment - 1) & ~(kAlignment - 1);
    if (bytes > m_left) {
        // Blocks double up to 64 MiB, so a big load takes few of them (and huge pages).
        std::size_t size =
            m_blocks.empty() ? kFirstBlock : std::min(m_blocks.back().size * 2, kLargestBlock);
        size = std::max(size, bytes);
        m_blocks.reserve(m_blocks.size() + 1);
        char* block = static_cast<char*>(platform::allocateLarge(size));
        m_blocks.push_back({block, size});
        m_next = block;
        m_left = size;
    }
    void* p = m_next;
    m_next += bytes;
    m_left -= bytes;
    m_used += bytes;
    return p;
}

void ItemArena::release() {
    for (const Block& b : m_blocks) {
        platform::unpoisonMemory(b.data, b.size);  // the next mapping here starts clean
        platform::releaseLarge(b.data, b.size);
    }
    m_blocks.clear();
    m_next = nullptr;
    m_left = 0;
    m_used = 0;
}

}  // namespace lh::store

#pragma once

#include <cstddef>
#include <vector>

namespace lh::store {

// Where the loader puts item records: big blocks handed out front to back, with no per-record
// allocation. Records are never given back one by one (a deleted record's bytes stay until the
// arena is released, when the database is emptied or replaced).
class ItemArena {
public:
    ItemArena() = default;
    ~ItemArena() { release(); }
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;

    // `bytes` of memory aligned for any record; throws std::bad_alloc.
    void* allocate(std::size_t bytes);
    // Gives every block back. Nothing allocated here may be used afterwards.
    void release();
    // Bytes handed out so far.
    std::size_t used() const { return m_used; }

private:
    struct Block {
        char* data;
        std::size_t size;
    };
    std::vector<Block> m_blocks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
    std::size_t m_used = 0;
};

}  // namespace lh::store

#pragma once

#include <cstddef>
#include <memory_resource>

namespace lh::platform {

// Big blocks of zeroed memory straight from the system, backed by huge pages where the system
// offers them: a million records then cost a few thousand page faults instead of seventy
// thousand. Throws std::bad_alloc when the memory cannot be had.
void* allocateLarge(std::size_t bytes);
void releaseLarge(void* block, std::size_t bytes);

// A memory resource that takes blocks of a megabyte or more from allocateLarge and smaller ones
// from the heap; the upstream of the Database's pools.
class LargeBlockResource final : public std::pmr::memory_resource {
private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const memory_resource& other) const noexcept override {
        return this == &other;
    }
};

}  // namespace lh::platform

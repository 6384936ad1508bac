#include <sys/mman.h>

#include <new>

#include "platform/LargeMemory.h"

namespace lh::platform {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

}  // namespace

void* allocateLarge(std::size_t bytes) {
    void* block =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        throw std::bad_alloc();
    }
#ifdef MADV_HUGEPAGE
    if (bytes >= kHugePage) {
        ::madvise(block, bytes, MADV_HUGEPAGE);  // only a hint; fine where it is not honoured
    }
#endif
    return block;
}

void releaseLarge(void* block, std::size_t bytes) {
    if (block != nullptr) {
        ::munmap(block, bytes);
    }
}

}  // namespace lh::platform

#pragma once

#include <cstddef>

namespace lh::platform {

// Big blocks of zeroed memory straight from the system, backed by huge pages where the system
// offers them: a million records then cost a few thousand page faults instead of seventy
// thousand. Throws std::bad_alloc when the memory cannot be had.
void* allocateLarge(std::size_t bytes);
void releaseLarge(void* block, std::size_t bytes);

}  // namespace lh::platform

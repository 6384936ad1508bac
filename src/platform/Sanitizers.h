#pragma once

#include <cstddef>

// Marks memory that stays allocated but must not be touched (records deleted inside an arena),
// so that AddressSanitizer builds report any use of it. No effect in other builds.

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINKHAVEN_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LINKHAVEN_ASAN 1
#endif

#ifdef LINKHAVEN_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace lh::platform {

inline void poisonMemory([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef LINKHAVEN_ASAN
    ASAN_POISON_MEMORY_REGION(p, bytes);
#endif
}

inline void unpoisonMemory([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef LINKHAVEN_ASAN
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
#endif
}

}  // namespace lh::platform

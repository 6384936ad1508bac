#include "store/Crc32.h"

#ifdef LINKHAVEN_CRC_ISAL
#include <isa-l/crc.h>
#else
#include <zlib.h>
#endif

namespace lh::store {

#ifdef LINKHAVEN_CRC_ISAL

std::uint32_t crc32(std::uint32_t crc, const void* data, std::size_t size) {
    return crc32_gzip_refl(crc, static_cast<const unsigned char*>(data), size);
}

const char* crc32Implementation() {
    return "isa-l";
}

#else

std::uint32_t crc32(std::uint32_t crc, const void* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32_z(crc, static_cast<const Bytef*>(data), size));
}

const char* crc32Implementation() {
    return "zlib";
}

#endif

}  // namespace lh::store

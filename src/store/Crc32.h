#pragma once

#include <cstddef>
#include <cstdint>

namespace lh::store {

// The CRC-32 of the .lhd format (the one of gzip and zlib), continued from `crc` over `size`
// bytes; start with 0. The build picks the implementation (ISA-L, or zlib with
// LINKHAVEN_CRC=zlib); every one gives the same value.
std::uint32_t crc32(std::uint32_t crc, const void* data, std::size_t size);

// Which implementation this build uses: "isa-l" or "zlib".
const char* crc32Implementation();

}  // namespace lh::store

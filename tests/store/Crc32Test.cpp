#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <string>

#include "store/Crc32.h"

namespace lh::store {
namespace {

TEST(Crc32Test, GivesZlibsValueWholeOrInPieces) {
    EXPECT_EQ(crc32(0, "123456789", 9), 0xCBF43926u);  // the check value of CRC-32/ISO-HDLC
    EXPECT_EQ(crc32(0, "", 0), 0u);
    std::mt19937 random(3);
    std::string bytes(70'000, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    for (std::size_t size : {1, 15, 16, 63, 64, 65, 1000, 70'000}) {
        const auto expected = static_cast<std::uint32_t>(
            crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), size));
        EXPECT_EQ(crc32(0, bytes.data(), size), expected) << size;
        const std::size_t cut = size / 3;
        EXPECT_EQ(crc32(crc32(0, bytes.data(), cut), bytes.data() + cut, size - cut), expected)
            << size;
    }
}

}  // namespace
}  // namespace lh::store

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The .lhd file: an 11-byte header, then a flat run of records. All integers little-endian,
// texts as a u32 length and that many bytes, no padding anywhere.
//
// Header: [0] version (1 written; above 6 refused)  [1..2] u16 category counter or 8 (not read)
//         [3] 1  [4] 0  [5..8] u32 CRC-32 of every byte after the header  [9..10] 0
// Category record: u8 tag 2, u8 relation (1 next sibling of the anchor, 0 its first child),
//         text name, text folderPath, u16 anchor id, u16 own id, u16 depth, u8 flags, text memo
// Item record: u8 tag 1, text address, text location, text title, u8 rate, u16 categoryId,
//         u32 flags, text comment, u32 fileSize low, u32 fileSize high, 8-byte createTime,
//         8-byte remindTime (u16 year, month, day, hour, minute, second, 0)
// A category's items follow its record; categories come in file order (see walkFileOrder).

namespace lh::store::lhd {

inline constexpr std::size_t kHeaderSize = 11;
inline constexpr std::uint8_t kVersionWritten = 1;
inline constexpr std::uint8_t kHighestVersionRead = 6;
inline constexpr std::uint16_t kPlainSaveCounter = 8;
inline constexpr std::uint8_t kTagItem = 1;
inline constexpr std::uint8_t kTagCategory = 2;
// An item record with four empty texts: the tag, four text lengths, rate, categoryId, flags,
// the two fileSize halves and the two stamps.
inline constexpr std::size_t kSmallestItemRecord = 1 + 4 * 4 + 1 + 2 + 4 + 2 * 4 + 2 * 8;

using Header = std::array<std::uint8_t, kHeaderSize>;

inline Header makeHeader(std::uint16_t counterField, std::uint32_t crc) {
    return Header{kVersionWritten,
                  static_cast<std::uint8_t>(counterField & 0xFF),
                  static_cast<std::uint8_t>(counterField >> 8),
                  1,
                  0,
                  static_cast<std::uint8_t>(crc & 0xFF),
                  static_cast<std::uint8_t>((crc >> 8) & 0xFF),
                  static_cast<std::uint8_t>((crc >> 16) & 0xFF),
                  static_cast<std::uint8_t>(crc >> 24),
                  0,
                  0};
}

}  // namespace lh::store::lhd

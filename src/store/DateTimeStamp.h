#pragma once

#include <cstdint>

namespace lh::store {

// A date and time as the database file keeps it (8 bytes on disk: u16 year, then month, day,
// hour, minute, second and a zero byte). `createTime` holds the full year, `remindTime` the year
// modulo 100 with second 0.
struct DateTimeStamp {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const DateTimeStamp&, const DateTimeStamp&) = default;
};

}  // namespace lh::store

#pragma once

// The least work a resave of a file must do, timed: read it, check its CRC, copy it, take the
// CRC of the copy, write the copy and fsync it.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "store/Crc32.h"

namespace lh::bench {

// The same CRC-32 as the store's.
inline std::uint32_t floorCrc(const std::vector<char>& bytes) {
    return store::crc32(0, bytes.data(), bytes.size());
}

// Seconds of the floor for `path`, writing to `scratch` (removed afterwards).
inline double floorSeconds(const std::string& path, const std::string& scratch) {
    std::uint32_t crcs = 0;
    const double seconds = secondsOf([&] {
        const int in = ::open(path.c_str(), O_RDONLY);
        std::vector<char> bytes(static_cast<std::size_t>(::lseek(in, 0, SEEK_END)));
        std::size_t got = 0;
        for (ssize_t n;
             got < bytes.size() && (n = ::pread(in, bytes.data() + got, bytes.size() - got,
                                                static_cast<off_t>(got))) > 0;) {
            got += static_cast<std::size_t>(n);
        }
        ::close(in);
        crcs ^= floorCrc(bytes);
        const std::vector<char> copy = bytes;
        crcs ^= floorCrc(copy);
        const int out = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::size_t put = 0;
        for (ssize_t n;
             put < copy.size() && (n = ::write(out, copy.data() + put, copy.size() - put)) > 0;) {
            put += static_cast<std::size_t>(n);
        }
        if (got != bytes.size() || put != copy.size() || ::fsync(out) != 0) {
            std::abort();
        }
        ::close(out);
    });
    ::unlink(scratch.c_str());
    if (crcs != 0) {  // the same bytes twice
        std::abort();
    }
    return seconds;
}

// The system's load average over the last minute, as /proc/loadavg says it.
inline std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one;
}

}  // namespace lh::bench

#pragma once

#include <cstdint>
#include <string>

#include "platform/IoError.h"

namespace lh::platform {

// A regular file opened read-only (never created or changed), or why not.
struct OpenForReading {
    enum class Status { Open, Missing, Empty, Unreadable };
    Status status = Status::Unreadable;
    int fd = -1;  // open only with Status::Open
    std::uint64_t size = 0;
};

// Opens `path`; a folder, a FIFO or a device is Unreadable, an empty file Empty (its error
// names `emptyStep`). `error` tells why on failure.
OpenForReading openForReading(const std::string& path, const char* emptyStep, IoError& error);

}  // namespace lh::platform

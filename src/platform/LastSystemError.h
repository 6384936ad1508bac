#pragma once

#include <cerrno>

namespace lh::platform {

// The error number that the system call which just failed left in errno; EIO when it left 0,
// so that a failure is never reported as success (0). For the POSIX implementations only.
inline int lastSystemError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace lh::platform

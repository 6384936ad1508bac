#pragma once

#include "platform/Clock.h"

namespace lh::platform {

// The real clock (localtime_r of the system time).
class SystemClock final : public Clock {
public:
    LocalTime now() const override;
    std::int64_t utcSeconds() const override;
};

// A process-wide SystemClock, for callers that take the real clock by default.
const Clock& systemClock();

}  // namespace lh::platform

#include "platform/SystemClock.h"

#include <ctime>

namespace lh::platform {

LocalTime SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                     tm.tm_min,         tm.tm_sec,     tm.tm_wday};
}

std::int64_t SystemClock::utcSeconds() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

}  // namespace lh::platform

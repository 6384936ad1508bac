#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace lh::test {

// A clock that shows whatever time the test sets. The UTC instant is set apart from the wall
// clock, so that a test can move one without the other (daylight saving, a clock set back).
class FakeClock final : public platform::Clock {
public:
    explicit FakeClock(platform::LocalTime t = {2026, 12, 6, 9, 30, 0, 0}) : m_now(t) {}
    platform::LocalTime now() const override { return m_now; }
    std::int64_t utcSeconds() const override { return m_utc; }
    void set(platform::LocalTime t) { m_now = t; }
    void setUtcSeconds(std::int64_t seconds) { m_utc = seconds; }

private:
    platform::LocalTime m_now;
    std::int64_t m_utc = 1'796'549'400;  // 2026-12-06 09:30 UTC
};

}  // namespace lh::test

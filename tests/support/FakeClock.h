#pragma once

#include "platform/Clock.h"

namespace lh::test {

// A clock that shows whatever time the test sets.
class FakeClock final : public platform::Clock {
public:
    explicit FakeClock(platform::LocalTime t = {2026, 12, 6, 9, 30, 0, 0}) : m_now(t) {}
    platform::LocalTime now() const override { return m_now; }
    void set(platform::LocalTime t) { m_now = t; }

private:
    platform::LocalTime m_now;
};

}  // namespace lh::test

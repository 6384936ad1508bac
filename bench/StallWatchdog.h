#pragma once

// A timer that fires every 10 ms and keeps the longest time it came late: while the event loop
// is blocked the timer cannot fire, so its lateness is the longest stall the user felt.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace lh::bench {

class StallWatchdog : public QObject {
public:
    static constexpr int kPeriodMs = 10;

    StallWatchdog() {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_clock.start();
        m_last = m_clock.nsecsElapsed();
        m_timer.start(kPeriodMs);
    }

    // Starts a new measurement: the longest stall from now on.
    void reset() {
        m_last = m_clock.nsecsElapsed();
        m_longestMs = 0;
    }
    // The longest lateness since reset(), including a stall still going on.
    double longestMs() const { return std::max(m_longestMs, latenessMs(m_clock.nsecsElapsed())); }

private:
    double latenessMs(qint64 now) const {
        return std::max(0.0, double(now - m_last) / 1e6 - kPeriodMs);
    }
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longestMs = std::max(m_longestMs, latenessMs(now));
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    double m_longestMs = 0;
};

}  // namespace lh::bench

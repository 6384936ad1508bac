#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace lh::linkcheck {

// Decides which request may start when: at most `maxInFlight` in all and `perHost` to one host
// name, starts to one host at least `spacing` apart, hosts taking turns so that one big site does
// not hold up the others. Knows nothing of the network: jobs are numbers, time is given.
class HostScheduler {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    HostScheduler(int maxInFlight, int perHost, std::chrono::milliseconds spacing);

    // Queues `job` for `host`, to start no sooner than `notBefore`. A follow-up (a redirect, a
    // retry) goes before the host's untried jobs, so that started links finish first.
    void add(std::size_t job, const std::string& host, TimePoint notBefore = {},
             bool followUp = false);
    // The next job allowed to start at `now`, counted as in flight from then on.
    std::optional<std::size_t> next(TimePoint now);
    // A job of `host` that next() gave out has ended.
    void finished(const std::string& host);
    // Nothing starts for `host` before `until` (the server asked for a pause).
    void pause(const std::string& host, TimePoint until);
    // When next() may give out a job again if nothing ends before; nothing when no job waits
    // or all places are taken.
    std::optional<TimePoint> nextChance() const;

    std::size_t inFlight() const { return m_inFlight; }
    // Nothing queued, nothing waiting and nothing in flight.
    bool idle() const { return m_inFlight == 0 && m_queued == 0; }

private:
    struct Host {
        std::deque<std::size_t> queue;
        int inFlight = 0;
        std::optional<TimePoint> lastStart;
        TimePoint pausedUntil{};
    };
    struct Delayed {
        TimePoint due;
        std::size_t order;
        std::size_t job;
        std::size_t host;
        bool operator>(const Delayed& other) const {
            return due != other.due ? due > other.due : order > other.order;
        }
    };

    std::size_t hostIndex(const std::string& host);
    // The earliest time `host` may start its next job (ignoring what is queued).
    TimePoint openAt(const Host& host) const;
    void releaseDue(TimePoint now);

    std::size_t m_maxInFlight;
    int m_perHost;
    std::chrono::milliseconds m_spacing;
    std::unordered_map<std::string, std::size_t> m_index;
    std::vector<Host> m_hosts;  // in order of first appearance: the turns
    std::priority_queue<Delayed, std::vector<Delayed>, std::greater<>> m_delayed;
    std::size_t m_delayedCount = 0;
    std::size_t m_cursor = 0;  // the host whose turn comes next
    std::size_t m_inFlight = 0;
    std::size_t m_queued = 0;  // in host queues or delayed
};

}  // namespace lh::linkcheck

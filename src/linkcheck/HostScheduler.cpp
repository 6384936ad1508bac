#include "linkcheck/HostScheduler.h"

#include <algorithm>

namespace lh::linkcheck {

HostScheduler::HostScheduler(int maxInFlight, int perHost, std::chrono::milliseconds spacing)
    : m_maxInFlight(static_cast<std::size_t>(std::max(maxInFlight, 1))),
      m_perHost(std::max(perHost, 1)),
      m_spacing(std::max(spacing, std::chrono::milliseconds(0))) {}

std::size_t HostScheduler::hostIndex(const std::string& host) {
    const auto [it, added] = m_index.try_emplace(host, m_hosts.size());
    if (added) {
        m_hosts.emplace_back();
    }
    return it->second;
}

void HostScheduler::add(std::size_t job, const std::string& host, TimePoint notBefore,
                        bool followUp) {
    const std::size_t h = hostIndex(host);
    ++m_queued;
    if (notBefore != TimePoint{}) {
        m_delayed.push({notBefore, m_delayedCount++, job, h});
    } else if (followUp) {
        m_hosts[h].queue.push_front(job);
    } else {
        m_hosts[h].queue.push_back(job);
    }
}

void HostScheduler::releaseDue(TimePoint now) {
    while (!m_delayed.empty() && m_delayed.top().due <= now) {
        const Delayed d = m_delayed.top();
        m_delayed.pop();
        m_hosts[d.host].queue.push_front(d.job);
    }
}

HostScheduler::TimePoint HostScheduler::openAt(const Host& host) const {
    TimePoint at = host.pausedUntil;
    if (host.lastStart) {
        at = std::max(at, *host.lastStart + m_spacing);
    }
    return at;
}

std::optional<std::size_t> HostScheduler::next(TimePoint now) {
    releaseDue(now);
    if (m_inFlight >= m_maxInFlight) {
        return std::nullopt;
    }
    for (std::size_t seen = 0; seen < m_hosts.size(); ++seen) {
        const std::size_t h = (m_cursor + seen) % m_hosts.size();
        Host& host = m_hosts[h];
        if (host.queue.empty() || host.inFlight >= m_perHost || openAt(host) > now) {
            continue;
        }
        const std::size_t job = host.queue.front();
        host.queue.pop_front();
        ++host.inFlight;
        host.lastStart = now;
        ++m_inFlight;
        --m_queued;
        m_cursor = (h + 1) % m_hosts.size();
        return job;
    }
    return std::nullopt;
}

void HostScheduler::finished(const std::string& host) {
    const auto it = m_index.find(host);
    if (it != m_index.end() && m_hosts[it->second].inFlight > 0) {
        --m_hosts[it->second].inFlight;
        --m_inFlight;
    }
}

void HostScheduler::pause(const std::string& host, TimePoint until) {
    Host& h = m_hosts[hostIndex(host)];
    h.pausedUntil = std::max(h.pausedUntil, until);
}

std::optional<HostScheduler::TimePoint> HostScheduler::nextChance() const {
    if (m_inFlight >= m_maxInFlight) {
        return std::nullopt;
    }
    std::optional<TimePoint> earliest;
    const auto consider = [&](TimePoint t) {
        if (!earliest || t < *earliest) {
            earliest = t;
        }
    };
    for (const Host& host : m_hosts) {
        if (!host.queue.empty() && host.inFlight < m_perHost) {
            consider(openAt(host));
        }
    }
    if (!m_delayed.empty()) {
        const Delayed& d = m_delayed.top();
        consider(std::max(d.due, openAt(m_hosts[d.host])));
    }
    return earliest;
}

}  // namespace lh::linkcheck

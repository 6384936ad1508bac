#pragma once

#include <chrono>
#include <optional>
#include <utility>

#include "update/UpdateWorker.h"

namespace lh::test {

// What a FakeUpdateRunner was asked; outlives the runner (its owner may delete it).
struct UpdateRunnerLog {
    int starts = 0;
    int reaps = 0;
    std::optional<std::chrono::milliseconds> shutdownGrace;
    update::UpdateRunner::Report report;  // the running check's, kept after it ended
    bool running = false;
    bool ended = false;       // ended and not yet reaped
    bool failStarts = false;  // as when no thread can be created

    // The check's thread reports `result` and ends (not reaped).
    void finish(int result) {
        running = false;
        ended = true;
        report(result);
    }
};

// A runner without threads that behaves as the real one: one check at a time, an ended one
// reaped by the next start. The test ends each check with finish().
class FakeUpdateRunner final : public update::UpdateRunner {
public:
    explicit FakeUpdateRunner(UpdateRunnerLog& log) : m_log(log) {}

    Start start(Report report) override {
        reapIfEnded();
        if (m_log.running || m_log.failStarts) {
            return m_log.running ? Start::AlreadyRunning : Start::Failed;
        }
        ++m_log.starts;
        m_log.report = std::move(report);
        m_log.running = true;
        return Start::Started;
    }
    bool running() const override { return m_log.running; }
    void reapIfEnded() override {
        if (m_log.ended) {
            ++m_log.reaps;
            m_log.ended = false;
        }
    }
    void shutdown(std::chrono::milliseconds grace) override {
        m_log.shutdownGrace = grace;
        m_log.running = false;
    }

private:
    UpdateRunnerLog& m_log;
};

}  // namespace lh::test

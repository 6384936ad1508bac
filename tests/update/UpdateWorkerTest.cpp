#include "update/UpdateWorker.h"

#include <gtest/gtest.h>

#include <memory>
#include <semaphore>
#include <stdexcept>

#include "update/HttpResponse.h"

namespace lh::update {
namespace {

using namespace std::chrono_literals;

// What the checks did, shared with their threads (a thread left behind may outlive the test).
struct Probe {
    std::counting_semaphore<8> permits{0};                            // a held fetch waits for one
    std::counting_semaphore<8> reports{0};                            // one per report
    std::counting_semaphore<8> returned{0};                           // one per fetch that returned
    std::atomic<int> calls{0}, result{kNewerVersion}, lastReport{1};  // 1: no report yet
    std::atomic<bool> sawStop{false};
    std::weak_ptr<int> report;  // the last report handed out; expires once the runner drops it
};

// A fetch that waits until the test lets it go, whatever the stop flag says.
std::function<int(const std::atomic<bool>&)> heldFetch(std::shared_ptr<Probe> probe) {
    return [probe](const std::atomic<bool>& stop) {
        ++probe->calls;
        probe->permits.acquire();
        probe->sawStop = stop.load();
        probe->returned.release();
        return probe->result.load();
    };
}

UpdateRunner::Report recorder(const std::shared_ptr<Probe>& probe) {
    auto token = std::make_shared<int>(0);
    probe->report = token;
    return [probe, token](int result) {
        probe->lastReport = result;
        probe->reports.release();
    };
}

TEST(UpdateWorkerTest, OneCheckAtATimeReportsOnceAndAnEndedOneIsReapedByTheNextStart) {
    auto probe = std::make_shared<Probe>();
    auto runner = makeThreadRunner(heldFetch(probe));
    EXPECT_FALSE(runner->running());
    ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
    EXPECT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::AlreadyRunning);
    runner->reapIfEnded();  // not ended: still the same check
    EXPECT_TRUE(runner->running());
    probe->permits.release();
    probe->reports.acquire();
    EXPECT_EQ(probe->lastReport, kNewerVersion);
    EXPECT_FALSE(runner->running());  // ended, not yet reaped: it does not count

    // Not reaped: the next start reaps it, else no answer would ever come.
    probe->result = kLatestVersion;
    ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
    probe->permits.release();
    probe->reports.acquire();
    runner->reapIfEnded();
    EXPECT_FALSE(runner->running());
    EXPECT_EQ(probe->lastReport, kLatestVersion);
    EXPECT_EQ(probe->calls, 2);  // the refused start asked nobody

    // A fetch that throws is a failed check, not the end of the program.
    auto throwing = makeThreadRunner(
        [](const std::atomic<bool>&) -> int { throw std::runtime_error("broken"); });
    ASSERT_EQ(throwing->start(recorder(probe)), UpdateRunner::Start::Started);
    probe->reports.acquire();
    EXPECT_EQ(probe->lastReport, kNoInformation);
}

TEST(UpdateWorkerTest, ShutdownStopsAndJoinsACheckOrLeavesOneThatIgnoresStopAndNothingReports) {
    auto probe = std::make_shared<Probe>();
    auto runner = makeThreadRunner([probe](const std::atomic<bool>& stop) {
        stop.wait(false);  // the runner notifies the flag
        return int{kStoppedOrBufferFull};
    });
    ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
    runner->shutdown(60s);            // returns as soon as the check has ended
    EXPECT_EQ(probe.use_count(), 2);  // joined, not left behind: its copy of the fetch is gone
    EXPECT_TRUE(probe->report.expired());
    EXPECT_FALSE(runner->running());
    EXPECT_EQ(probe->lastReport, 1);

    // A check that ignores stop is left by shutdown, then by a runner destroyed while it is busy.
    for (bool destroy : {false, true}) {
        runner = makeThreadRunner(heldFetch(probe));
        ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
        destroy ? runner.reset() : runner->shutdown(0ms);
        EXPECT_TRUE(probe->report.expired());  // it can never be called
        probe->permits.release();
        probe->returned.acquire();
        EXPECT_TRUE(probe->sawStop);
        probe->sawStop = false;
    }
}

}  // namespace
}  // namespace lh::update

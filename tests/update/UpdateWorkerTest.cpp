#include "update/UpdateWorker.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <semaphore>
#include <stdexcept>
#include <vector>

#include "update/HttpResponse.h"

namespace lh::update {
namespace {

using namespace std::chrono_literals;

// What the checks did, shared with their threads (a thread left behind may outlive the test).
struct Probe {
    std::counting_semaphore<8> permits{0};   // a held fetch waits for one
    std::counting_semaphore<8> reports{0};   // one per report
    std::counting_semaphore<8> returned{0};  // one per fetch that returned
    std::atomic<int> calls{0};
    std::atomic<int> result{kNewerVersion};
    std::atomic<bool> sawStop{false};
    std::mutex mutex;
    std::vector<int> results;

    std::vector<int> reported() {
        const std::lock_guard lock(mutex);
        return results;
    }
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

// A report that records the result; `alive` expires once the runner has let go of it.
UpdateRunner::Report recorder(std::shared_ptr<Probe> probe, std::weak_ptr<int>* alive = nullptr) {
    auto token = std::make_shared<int>(0);
    if (alive != nullptr) {
        *alive = token;
    }
    return [probe, token](int result) {
        {
            const std::lock_guard lock(probe->mutex);
            probe->results.push_back(result);
        }
        probe->reports.release();
    };
}

TEST(UpdateWorkerTest, OneCheckAtATimeReportsOnceAndAnEndedOneIsReapedByTheNextStart) {
    auto probe = std::make_shared<Probe>();
    auto runner = makeThreadRunner(heldFetch(probe));
    EXPECT_FALSE(runner->running());
    ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
    EXPECT_TRUE(runner->running());
    EXPECT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::AlreadyRunning);
    runner->reapIfEnded();  // not ended: still the same check
    EXPECT_TRUE(runner->running());

    probe->permits.release();
    probe->reports.acquire();
    EXPECT_EQ(probe->reported(), std::vector<int>{kNewerVersion});
    EXPECT_FALSE(runner->running());  // ended, not yet reaped: it does not count

    // Not reaped: the next start reaps it, else no answer would ever come.
    probe->result = kLatestVersion;
    ASSERT_EQ(runner->start(recorder(probe)), UpdateRunner::Start::Started);
    probe->permits.release();
    probe->reports.acquire();
    runner->reapIfEnded();
    EXPECT_FALSE(runner->running());
    EXPECT_EQ(probe->reported(), (std::vector<int>{kNewerVersion, kLatestVersion}));
    EXPECT_EQ(probe->calls.load(), 2);  // the refused start asked nobody

    // A fetch that throws is a failed check, not the end of the program.
    auto throwing = makeThreadRunner(
        [](const std::atomic<bool>&) -> int { throw std::runtime_error("broken"); });
    ASSERT_EQ(throwing->start(recorder(probe)), UpdateRunner::Start::Started);
    probe->reports.acquire();
    EXPECT_EQ(probe->reported().back(), kNoInformation);
}

TEST(UpdateWorkerTest, ShutdownStopsAWaitingCheckJoinsItAndDropsItsReport) {
    auto probe = std::make_shared<Probe>();
    auto runner = makeThreadRunner([probe](const std::atomic<bool>& stop) {
        ++probe->calls;
        stop.wait(false);  // the runner notifies the flag
        probe->returned.release();
        return int{kStoppedOrBufferFull};
    });
    std::weak_ptr<int> report;
    ASSERT_EQ(runner->start(recorder(probe, &report)), UpdateRunner::Start::Started);
    runner->shutdown(60s);                       // returns as soon as the check has ended
    EXPECT_TRUE(probe->returned.try_acquire());  // joined, not left behind
    EXPECT_TRUE(report.expired());
    EXPECT_FALSE(runner->running());
    EXPECT_TRUE(probe->reported().empty());
    runner->shutdown(60s);  // nothing left: nothing happens
}

TEST(UpdateWorkerTest, ACheckThatIgnoresStopIsLeftBehindAndNeverReports) {
    auto probe = std::make_shared<Probe>();
    auto runner = makeThreadRunner(heldFetch(probe));
    std::weak_ptr<int> report;
    ASSERT_EQ(runner->start(recorder(probe, &report)), UpdateRunner::Start::Started);
    runner->shutdown(0ms);
    EXPECT_TRUE(report.expired());  // it can never be called
    EXPECT_FALSE(runner->running());
    probe->permits.release();
    probe->returned.acquire();
    EXPECT_TRUE(probe->sawStop);

    // Destroying a runner whose check is busy must not end the program either.
    auto busy = makeThreadRunner(heldFetch(probe));
    ASSERT_EQ(busy->start(recorder(probe, &report)), UpdateRunner::Start::Started);
    busy.reset();
    EXPECT_TRUE(report.expired());
    probe->permits.release();
    probe->returned.acquire();
    EXPECT_TRUE(probe->sawStop);
}

}  // namespace
}  // namespace lh::update

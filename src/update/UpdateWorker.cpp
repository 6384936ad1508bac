#include "update/UpdateWorker.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "update/HttpResponse.h"

namespace lh::update {

namespace {

using Fetch = std::function<int(const std::atomic<bool>& stop)>;

// What one check shares between its thread and the runner. The thread holds it too, so a thread
// left behind at exit still finds it.
struct CheckState {
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};  // set under `mutex`, so that a waiter cannot miss it
    std::mutex mutex;
    std::condition_variable endedChanged;
    UpdateRunner::Report report;  // under `mutex`; emptied by shutdown
};

void runCheck(const std::shared_ptr<CheckState>& state, const Fetch& fetch) {
    int result = kNoInformation;
    try {
        result = fetch(state->stop);
    } catch (...) {
        // An exception leaving a thread ends the program; a broken fetch is a failed check.
    }
    {
        // Reported under the lock: once shutdown has emptied the report, nothing more arrives.
        // "ended" comes first, so whoever learns the result also sees the check as ended.
        const std::lock_guard lock(state->mutex);
        state->ended = true;
        if (state->report) {
            state->report(result);
            state->report = nullptr;
        }
    }
    state->endedChanged.notify_all();
}

class ThreadRunner final : public UpdateRunner {
public:
    explicit ThreadRunner(Fetch fetch) : m_fetch(std::move(fetch)) {}
    ThreadRunner(const ThreadRunner&) = delete;
    ThreadRunner& operator=(const ThreadRunner&) = delete;
    // A joinable thread must not be destroyed; one still busy is left to end on its own.
    ~ThreadRunner() override { shutdown(std::chrono::milliseconds(0)); }

    Start start(Report report) override {
        reapIfEnded();
        if (m_thread.joinable()) {
            return Start::AlreadyRunning;
        }
        auto state = std::make_shared<CheckState>();
        state->report = std::move(report);
        try {
            m_thread = std::thread([state, fetch = m_fetch] { runCheck(state, fetch); });
        } catch (const std::system_error&) {
            return Start::Failed;
        }
        m_state = std::move(state);
        return Start::Started;
    }

    bool running() const override { return m_thread.joinable() && !m_state->ended; }

    void reapIfEnded() override {
        if (m_thread.joinable() && m_state->ended) {
            m_thread.join();
            m_state.reset();
        }
    }

    void shutdown(std::chrono::milliseconds grace) override {
        if (!m_thread.joinable()) {
            return;
        }
        CheckState& state = *m_state;
        std::unique_lock lock(state.mutex);
        state.report = nullptr;
        state.stop = true;
        state.stop.notify_all();  // a fetch may wait on the flag itself
        const bool ended =
            state.endedChanged.wait_for(lock, grace, [&] { return state.ended.load(); });
        lock.unlock();
        if (ended) {
            m_thread.join();
        } else {
            m_thread.detach();  // it owns its state and its copy of the fetch
        }
        m_state.reset();
    }

private:
    Fetch m_fetch;
    std::shared_ptr<CheckState> m_state;  // the current check's, while m_thread is joinable
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<UpdateRunner> makeThreadRunner(Fetch fetch) {
    return std::make_unique<ThreadRunner>(std::move(fetch));
}

}  // namespace lh::update

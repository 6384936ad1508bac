#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace lh::update {

// Runs update checks on a thread of their own, at most one at a time. What a thread cannot do
// (be asked whether it has ended, be joined with a time-out) is done with an "ended" flag and a
// state the thread owns with us, so that a thread left behind at exit touches nothing of ours.
class UpdateRunner {
public:
    virtual ~UpdateRunner() = default;

    enum class Start { Started, AlreadyRunning, Failed };
    // Called once, on the worker thread, with the check's result code.
    using Report = std::function<void(int result)>;
    // Starts a check unless one is running; an ended one is reaped first. Failed when no thread
    // could be started (nothing will be reported then).
    virtual Start start(Report report) = 0;
    // A check exists and has not ended (an ended, unreaped one does not count).
    virtual bool running() const = 0;
    // Frees an ended check's thread; nothing when none has ended.
    virtual void reapIfEnded() = 0;
    // Asks a running check to stop (the stop flag is set and notified) and waits at most `grace`
    // for it, without dispatching anything; a thread still busy then (the resolver cannot be
    // interrupted) is left to end on its own. Nothing is reported once this has begun.
    virtual void shutdown(std::chrono::milliseconds grace) = 0;
};

// The real runner: each check calls `fetch` (fetchUpdateInfo with the chosen server) on a new
// std::thread; a fetch that throws counts as kNoInformation. Destroying the runner shuts it down
// without waiting.
std::unique_ptr<UpdateRunner> makeThreadRunner(
    std::function<int(const std::atomic<bool>& stop)> fetch);

}  // namespace lh::update

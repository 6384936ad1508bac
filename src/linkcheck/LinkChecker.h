#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <span>

#include "linkcheck/LinkCheck.h"

namespace lh::linkcheck {

using ResultSink = std::function<void(const LinkResult&)>;

// Checks every target and calls `onResult` once per target as it finishes (in finishing order),
// on the calling thread. Returns when all are done or soon after `stop` is set (transfers are
// aborted; the targets not finished then get no result).
void checkLinks(std::span<const LinkTarget> targets, const CheckOptions& options,
                const ResultSink& onResult, const std::atomic<bool>& stop);

// A run on a thread of its own, for the window. Results arrive on that thread; the window
// passes them on with queued signals.
class LinkCheckRun {
public:
    virtual ~LinkCheckRun() = default;
    // Starts checking `targets`; `onFinished` is called (on the run's thread) after the last
    // result, and also after a cancel.
    virtual void start(std::vector<LinkTarget> targets, CheckOptions options, ResultSink onResult,
                       std::function<void()> onFinished) = 0;
    // Stops at once: transfers aborted, the thread joined. Nothing is reported afterwards.
    virtual void cancel() = 0;
    virtual bool running() const = 0;
};

// The real run: checkLinks on a std::thread. Destroying it cancels.
std::unique_ptr<LinkCheckRun> makeThreadRun();

// Whether a proxy from the environment makes the connections, so that a private or local
// address behind a public name cannot be refused (the proxy's address is all a run sees).
bool proxyHidesAddresses();

}  // namespace lh::linkcheck

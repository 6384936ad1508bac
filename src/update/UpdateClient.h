#pragma once

#include <atomic>
#include <chrono>

#include "update/UpdateServer.h"

namespace lh::update {

// How long the client waits, each bounded by the wall clock (not only while nothing arrives).
struct FetchLimits {
    std::chrono::milliseconds connect{60'000};  // else kNoInformation
    std::chrono::milliseconds header{60'000};   // else kTimedOut
    std::chrono::milliseconds body{60'000};     // else kTimedOut
    std::chrono::milliseconds slice{50};        // how often `stop` is looked at while waiting
    std::size_t maxHeaderBytes = 64 * 1024;
};

// Asks `server` for "/images/lhdupdate.ini" over plain HTTP/1.1 and judges the answer with the
// version test: one of the FetchResult codes. Setting `stop` ends any wait within one slice.
// Never throws; runs on a worker thread and touches nothing shared but `stop`.
int fetchUpdateInfo(const UpdateServer& server, const std::atomic<bool>& stop,
                    const FetchLimits& limits = {});

}  // namespace lh::update

#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/TcpSocket.h"
#include "update/HeaderReader.h"

namespace lh::update {

// How long one phase may wait in all, on the wall clock, and how often it looks at `stop`.
struct WaitLimits {
    std::chrono::milliseconds total;
    std::chrono::milliseconds slice;
};

// Receives until `reader` has the whole header: 1 when it has, else kStoppedOrBufferFull
// (stopped), kTimedOut, kSendFailed (a failed wait), kNoInformation (closed or broken
// connection, or a header too long) or the reader's own failure.
int readHeader(platform::TcpSocket& socket, HeaderReader& reader, const std::atomic<bool>& stop,
               WaitLimits limits);

// Receives the rest of the body after the bytes already in `body`, until `contentLength` bytes
// are there (0: until the server closes), never past kBodyBufferSize. 1 when complete, else
// kStoppedInBody, kTimedOut, kNoInformation (a failed wait), kStoppedOrBufferFull (the buffer is
// full and more is coming) or kSendFailed (closed or broken before the end).
int readBody(platform::TcpSocket& socket, std::vector<char>& body, std::int64_t contentLength,
             const std::atomic<bool>& stop, WaitLimits limits);

}  // namespace lh::update

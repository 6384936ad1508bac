#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace lh::platform {

// A connected TCP stream: the few calls the update check needs, so that another platform's
// sockets can stand in for the POSIX ones.
class TcpSocket {
public:
    virtual ~TcpSocket() = default;  // closes

    enum class Wait { Readable, TimedOut, Failed };
    // Waits at most `timeout` until data or the peer's close can be received.
    virtual Wait waitReadable(std::chrono::milliseconds timeout) = 0;
    // Receives at most buffer.size() bytes without waiting past what waitReadable promised: the
    // count received, 0 when the peer has closed, -1 on an error. Interrupted calls are retried.
    virtual std::ptrdiff_t receive(std::span<char> buffer) = 0;
    // Sends every byte; false on an error. A peer that has closed never raises SIGPIPE.
    virtual bool sendAll(std::span<const char> bytes) = 0;
};

struct TcpConnect {
    std::unique_ptr<TcpSocket> socket;  // null when no address could be reached
    bool stopped = false;               // `stop` was set while resolving or connecting
};

// Resolves `host` (a host name or an IPv6 literal without brackets) and connects to its
// addresses in the order the resolver gives them (IPv6 too), each socket with address reuse and
// no send delay. Connecting waits in slices of `slice`, looking at `stop` after each, and gives
// up when `timeout` has passed on the wall clock. The resolver itself cannot be interrupted.
TcpConnect connectTcp(const std::string& host, std::uint16_t port, const std::atomic<bool>& stop,
                      std::chrono::milliseconds timeout, std::chrono::milliseconds slice);

}  // namespace lh::platform

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/TcpSocket.h"

namespace lh::platform {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

int pollMillis(milliseconds wait) {
    return static_cast<int>(std::clamp<milliseconds::rep>(wait.count(), 0, 1'000'000));
}

class PosixTcpSocket final : public TcpSocket {
public:
    explicit PosixTcpSocket(int fd) : m_fd(fd) {}
    ~PosixTcpSocket() override { ::close(m_fd); }
    PosixTcpSocket(const PosixTcpSocket&) = delete;
    PosixTcpSocket& operator=(const PosixTcpSocket&) = delete;

    Wait waitReadable(milliseconds timeout) override {
        const auto deadline = Clock::now() + timeout;
        for (;;) {
            pollfd p{m_fd, POLLIN, 0};
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
            const int n = ::poll(&p, 1, pollMillis(left));
            if (n > 0) {
                // A hang-up or an error is "readable" too: receive then reports it.
                return (p.revents & POLLNVAL) != 0 ? Wait::Failed : Wait::Readable;
            }
            if (n == 0) {
                return Wait::TimedOut;
            }
            if (errno != EINTR) {
                return Wait::Failed;
            }
        }
    }

    std::ptrdiff_t receive(std::span<char> buffer) override {
        for (;;) {
            const ssize_t n = ::recv(m_fd, buffer.data(), buffer.size(), 0);
            if (n >= 0 || errno != EINTR) {
                return n < 0 ? -1 : n;
            }
        }
    }

    bool sendAll(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        return true;
    }

private:
    int m_fd;
};

bool setOption(int fd, int level, int option) {
    const int one = 1;
    return ::setsockopt(fd, level, option, &one, sizeof one) == 0;
}

bool setBlocking(int fd, bool blocking) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 &&
           ::fcntl(fd, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK) == 0;
}

enum class Attempt { Connected, Failed, Stopped, OutOfTime };

// Waits for a non-blocking connect in slices, looking at `stop` after each.
Attempt finishConnect(int fd, const std::atomic<bool>& stop, Clock::time_point deadline,
                      milliseconds slice) {
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return Attempt::OutOfTime;
        }
        pollfd p{fd, POLLOUT, 0};
        const int n = ::poll(&p, 1, pollMillis(std::min(left, slice)));
        if (n > 0) {
            int error = 0;
            socklen_t size = sizeof error;
            const bool ok = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0;
            return ok && error == 0 ? Attempt::Connected : Attempt::Failed;
        }
        if (n < 0 && errno != EINTR) {
            return Attempt::Failed;
        }
        if (stop.load()) {
            return Attempt::Stopped;
        }
    }
}

Attempt connectTo(const addrinfo& a, int& fd, const std::atomic<bool>& stop,
                  Clock::time_point deadline, milliseconds slice) {
    fd = ::socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a.ai_protocol);
    if (fd < 0) {
        return Attempt::Failed;
    }
    if (!setOption(fd, SOL_SOCKET, SO_REUSEADDR) || !setOption(fd, IPPROTO_TCP, TCP_NODELAY)) {
        return Attempt::Failed;
    }
    Attempt result = Attempt::Connected;
    if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0) {
        result = errno == EINPROGRESS || errno == EINTR ? finishConnect(fd, stop, deadline, slice)
                                                        : Attempt::Failed;
    }
    // Receiving and sending wait only where the caller polled first.
    if (result == Attempt::Connected && !setBlocking(fd, true)) {
        result = Attempt::Failed;
    }
    return result;
}

}  // namespace

TcpConnect connectTcp(const std::string& host, std::uint16_t port, const std::atomic<bool>& stop,
                      milliseconds timeout, milliseconds slice) {
    const auto deadline = Clock::now() + timeout;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return {nullptr, stop.load()};
    }
    TcpConnect result;
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (stop.load()) {
            result.stopped = true;
            break;
        }
        int fd = -1;
        const Attempt attempt = connectTo(*a, fd, stop, deadline, slice);
        if (attempt == Attempt::Connected) {
            result.socket = std::make_unique<PosixTcpSocket>(fd);
            break;
        }
        if (fd >= 0) {
            ::close(fd);
        }
        if (attempt == Attempt::Stopped) {
            result.stopped = true;
            break;
        }
        if (attempt == Attempt::OutOfTime) {
            break;
        }
    }
    ::freeaddrinfo(found);
    return result;
}

}  // namespace lh::platform

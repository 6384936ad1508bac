#include "platform/TcpSocket.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace lh::platform {
namespace {

using namespace std::chrono_literals;

// A loopback listener whose queue is full: the system drops further handshakes, so a connect
// to it neither succeeds nor fails until its sender gives up.
struct FullListener {
    FullListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* a = reinterpret_cast<sockaddr*>(&address);
        ::bind(fds[0], a, size);
        ::listen(fds[0], 0);
        ::getsockname(fds[0], a, &size);
        port = ntohs(address.sin_port);
        ::connect(fds[1], a, size);  // fills the queue
        ::connect(fds[2], a, size);  // does this system really leave a further one hanging?
        pollfd p{fds[2], POLLOUT, 0};
        hangs = ::poll(&p, 1, 200) == 0;
    }
    ~FullListener() {
        for (const int fd : fds) {
            ::close(fd);
        }
    }
    const int fds[3] = {::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0),
                        ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0),
                        ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    std::uint16_t port = 0;
    bool hangs = false;
};

TEST(TcpSocketTest, ConnectingEndsOnTheClockOrWhenStopped) {
    FullListener full;
    if (!full.hangs) {
        GTEST_SKIP() << "this system refuses or accepts at once";
    }
    std::atomic<bool> stop{false};
    TcpConnect timedOut = connectTcp("127.0.0.1", full.port, stop, 300ms, 10ms);
    EXPECT_EQ(timedOut.socket, nullptr);
    EXPECT_FALSE(timedOut.stopped);

    const auto started = std::chrono::steady_clock::now();
    std::thread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    TcpConnect stopped = connectTcp("127.0.0.1", full.port, stop, 60s, 10ms);
    stopper.join();
    EXPECT_EQ(stopped.socket, nullptr);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);  // not the 60 s time-out
}

}  // namespace
}  // namespace lh::platform

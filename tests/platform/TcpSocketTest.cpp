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
class FullListener {
public:
    FullListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size);
        ::listen(m_listener, 0);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        ::connect(m_filler, reinterpret_cast<sockaddr*>(&address), size);  // fills the queue
        m_address = address;
    }
    ~FullListener() {
        ::close(m_filler);
        ::close(m_listener);
    }
    std::uint16_t port() const { return m_port; }
    // Whether this system really leaves a further connect hanging.
    bool hangs() {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(probe, reinterpret_cast<sockaddr*>(&m_address), sizeof m_address);
        pollfd p{probe, POLLOUT, 0};
        const bool pending = ::poll(&p, 1, 200) == 0;
        ::close(probe);
        return pending;
    }

private:
    int m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int m_filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in m_address{};
    std::uint16_t m_port = 0;
};

TEST(TcpSocketTest, ConnectingEndsOnTheClockOrWhenStopped) {
    FullListener full;
    if (!full.hangs()) {
        GTEST_SKIP() << "this system refuses or accepts at once";
    }
    std::atomic<bool> stop{false};
    TcpConnect timedOut = connectTcp("127.0.0.1", full.port(), stop, 300ms, 10ms);
    EXPECT_EQ(timedOut.socket, nullptr);
    EXPECT_FALSE(timedOut.stopped);

    const auto started = std::chrono::steady_clock::now();
    std::thread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    TcpConnect stopped = connectTcp("127.0.0.1", full.port(), stop, 60s, 10ms);
    stopper.join();
    EXPECT_EQ(stopped.socket, nullptr);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);  // not the 60 s time-out
}

}  // namespace
}  // namespace lh::platform

#include "support/ScriptedServer.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace lh::test {

namespace {

constexpr std::chrono::seconds kWait(10);

// A listening socket on `address` with a port the system chose, or -1.
int listenOn(const std::string& address, std::uint16_t& port) {
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), "0", &hints, &found) != 0) {
        return -1;
    }
    const int fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_storage bound{};
    socklen_t size = sizeof bound;
    const bool ok = fd >= 0 && ::bind(fd, found->ai_addr, found->ai_addrlen) == 0 &&
                    ::listen(fd, 1) == 0 &&
                    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size) == 0;
    ::freeaddrinfo(found);
    if (!ok) {
        ::close(fd);
        return -1;
    }
    // The port is at the same place in both address families' structures.
    port = ntohs(reinterpret_cast<const sockaddr_in*>(&bound)->sin_port);
    return fd;
}

}  // namespace

ScriptedServer::ScriptedServer(const std::string& address, std::vector<Step> script)
    : m_ending(::eventfd(0, EFD_CLOEXEC)) {
    const int listener = listenOn(address, m_port);
    if (listener >= 0) {
        m_thread =
            std::thread([this, listener, script = std::move(script)] { run(listener, script); });
    }
}

ScriptedServer::~ScriptedServer() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_ending, &one, sizeof one);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ::close(m_ending);
}

std::string ScriptedServer::request() {
    return m_request.wait_for(kWait) == std::future_status::ready ? m_request.get() : "";
}

bool ScriptedServer::wait(int fd, std::chrono::milliseconds time) const {
    pollfd p[2] = {{m_ending, POLLIN, 0}, {fd, POLLIN, 0}};
    ::poll(p, 2, static_cast<int>(time.count()));
    return p[0].revents == 0 && (fd < 0 || p[1].revents != 0);
}

void ScriptedServer::run(int listener, const std::vector<Step>& script) {
    const int fd = wait(listener, kWait) ? ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC) : -1;
    ::close(listener);
    // A client that stops reading cannot keep a send waiting for ever.
    const timeval sendLimit{kWait.count(), 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
    std::string request;
    char buffer[1024];
    while (fd >= 0 && request.find("\r\n\r\n") == std::string::npos && wait(fd, kWait)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        request.append(buffer, static_cast<std::size_t>(n));
    }
    m_requestSeen.set_value(request);
    for (const Step& step : script) {
        if (fd < 0 || !wait(-1, step.pauseBefore) ||
            ::send(fd, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL) < 0) {
            break;  // ending, or the client has gone
        }
    }
    ::close(fd);
}

}  // namespace lh::test

#include "support/ScriptedServer.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace lh::test {

namespace {

constexpr int kWaitMillis = 10'000;

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

std::vector<ScriptedServer::Step> ScriptedServer::drip(std::string first, const std::string& bytes,
                                                       std::chrono::milliseconds gap) {
    std::vector<Step> steps = {send(std::move(first))};
    for (const char c : bytes) {
        steps.push_back({gap, std::string(1, c)});
    }
    return steps;
}

ScriptedServer::ScriptedServer(const std::string& address, std::vector<Step> script)
    : m_script(std::move(script)) {
    const int listener = listenOn(address, m_port);
    if (listener >= 0) {
        m_thread = std::thread([this, listener] { run(listener); });
    }
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::string ScriptedServer::request() {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::milliseconds(kWaitMillis), [&] { return m_requestDone; });
    return m_request;
}

bool ScriptedServer::waitReadable(int fd) {
    for (int waited = 0; waited < kWaitMillis; waited += 50) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) == 1) {
            return true;
        }
        std::lock_guard lock(m_mutex);
        if (m_ending) {
            return false;
        }
    }
    return false;
}

bool ScriptedServer::sleep(std::chrono::milliseconds time) {
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, time, [&] { return m_ending; });
}

void ScriptedServer::run(int listener) {
    const int fd =
        waitReadable(listener) ? ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC) : -1;
    ::close(listener);
    // A client that stops reading cannot keep a send waiting for ever.
    const timeval sendLimit{kWaitMillis / 1000, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
    std::string request;
    char buffer[1024];
    while (fd >= 0 && request.find("\r\n\r\n") == std::string::npos && waitReadable(fd)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        request.append(buffer, static_cast<std::size_t>(n));
    }
    {
        std::lock_guard lock(m_mutex);
        m_request = request;
        m_requestDone = true;
    }
    m_changed.notify_all();
    for (const Step& step : m_script) {
        if (fd < 0 || (step.pauseBefore.count() > 0 && !sleep(step.pauseBefore)) ||
            ::send(fd, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL) < 0) {
            break;  // ending, or the client has gone
        }
    }
    ::close(fd);
}

}  // namespace lh::test

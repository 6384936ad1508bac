#include "support/ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstring>

namespace lh::test {

namespace {

constexpr int kWaitMillis = 10'000;

// A listening socket on `address` port 0, or -1.
int listenOn(const std::string& address, std::uint16_t& port) {
    sockaddr_storage storage{};
    socklen_t size = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        size = sizeof *v4;
    } else if (::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        size = sizeof *v6;
    } else {
        return -1;
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&storage), size) != 0 ||
        ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &size) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    port = ntohs(storage.ss_family == AF_INET ? v4->sin_port : v6->sin6_port);
    return fd;
}

}  // namespace

std::vector<ScriptedServer::Step> ScriptedServer::drip(const std::string& bytes,
                                                       std::chrono::milliseconds gap) {
    std::vector<Step> steps;
    for (const char c : bytes) {
        steps.push_back(pause(gap));
        steps.push_back(send(std::string(1, c)));
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
    if (fd >= 0) {
        // A client that stops reading cannot keep a send waiting for ever.
        const timeval limit{kWaitMillis / 1000, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    }
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
        if (fd < 0) {
            break;
        }
        if (step.kind == Step::Kind::Send) {
            if (::send(fd, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL) < 0) {
                break;  // the client has gone
            }
        } else if (!sleep(step.time)) {
            break;
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace lh::test

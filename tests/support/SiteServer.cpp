#include "support/SiteServer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace lh::test {

namespace {

constexpr std::chrono::seconds kIdle(30);

int listenOnLoopback(std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(fd, 1024) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

SiteServer::Request parseRequest(const std::string& head) {
    SiteServer::Request request;
    const auto space = head.find(' ');
    const auto space2 = head.find(' ', space + 1);
    request.method = head.substr(0, space);
    request.path = head.substr(space + 1, space2 - space - 1);
    const std::string lowered = lower(head);
    const auto at = lowered.find("\r\nhost:");
    if (at != std::string::npos) {
        const auto start = lowered.find_first_not_of(' ', at + 7);
        const auto end = lowered.find_first_of(":\r", start);
        request.host = lowered.substr(start, end - start);
    }
    request.at = std::chrono::steady_clock::now();
    return request;
}

std::string responseBytes(const SiteServer::Answer& answer, bool head) {
    std::string bytes = "HTTP/1.1 " + std::to_string(answer.status) + " Scripted\r\n";
    bytes += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    for (const auto& [name, value] : answer.headers) {
        bytes += name + ": " + value + "\r\n";
    }
    bytes += "\r\n";
    return head ? bytes : bytes + answer.body;
}

}  // namespace

SiteServer::SiteServer(Handler handler)
    : m_handler(std::move(handler)), m_ending(::eventfd(0, EFD_CLOEXEC)) {
    const int listener = listenOnLoopback(m_port);
    if (listener >= 0) {
        m_acceptor = std::thread([this, listener] { acceptLoop(listener); });
    }
}

SiteServer::~SiteServer() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_ending, &one, sizeof one);
    if (m_acceptor.joinable()) {
        m_acceptor.join();
    }
    for (Connection& c : m_connections) {
        c.thread.join();
    }
    ::close(m_ending);
}

std::string SiteServer::resolveEntry(const std::string& host) const {
    return host + ":" + std::to_string(m_port) + ":127.0.0.1";
}

std::string SiteServer::url(const std::string& host, const std::string& path) const {
    return "http://" + host + ":" + std::to_string(m_port) + path;
}

void SiteServer::script(const std::string& host, const std::string& path,
                        std::vector<Answer> answers, const std::string& method) {
    const std::lock_guard lock(m_mutex);
    m_routes[method + " " + lower(host) + path] = Route{std::move(answers), 0};
}

SiteServer::Answer SiteServer::redirect(int code, const std::string& location) {
    return Answer{code, {{"Location", location}}, {}, false, {}};
}

std::vector<SiteServer::Request> SiteServer::requests() const {
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

int SiteServer::mostAtOnce(const std::string& host) const {
    const std::lock_guard lock(m_mutex);
    const auto it = m_mostBusy.find(host);
    return it == m_mostBusy.end() ? 0 : it->second;
}

bool SiteServer::wait(int fd, std::chrono::milliseconds time) const {
    pollfd p[2] = {{m_ending, POLLIN, 0}, {fd, POLLIN, 0}};
    ::poll(p, 2, static_cast<int>(time.count()));
    return p[0].revents == 0 && (fd < 0 || p[1].revents != 0);
}

bool SiteServer::ending() const {
    pollfd p{m_ending, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

void SiteServer::acceptLoop(int listener) {
    while (!ending()) {
        if (!wait(listener, kIdle)) {
            continue;
        }
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        const std::lock_guard lock(m_mutex);
        // Threads of closed connections are joined here, so that a long run does not pile them up.
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if (it->ended) {
                it->thread.join();
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
        Connection& c = m_connections.emplace_back();
        c.thread = std::thread([this, fd, &c] { serve(fd, c); });
    }
    ::close(listener);
}

SiteServer::Answer SiteServer::answerFor(const Request& request) {
    if (m_handler) {
        return m_handler(request);
    }
    const std::lock_guard lock(m_mutex);
    for (const std::string& method : {request.method, std::string()}) {
        const auto it = m_routes.find(method + " " + request.host + request.path);
        if (it != m_routes.end() && !it->second.answers.empty()) {
            Route& route = it->second;
            const Answer answer = route.answers[std::min(route.next, route.answers.size() - 1)];
            ++route.next;
            return answer;
        }
    }
    return Answer{404, {}, {}, false, {}};
}

void SiteServer::serve(int fd, Connection& connection) {
    std::string buffer;
    char chunk[4096];
    while (wait(fd, kIdle)) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) {
            break;
        }
        buffer.append(chunk, static_cast<std::size_t>(n));
        const auto end = buffer.find("\r\n\r\n");
        if (end == std::string::npos) {
            continue;
        }
        const Request request = parseRequest(buffer.substr(0, end + 2));
        buffer.erase(0, end + 4);
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
            const int busy = ++m_busy[request.host];
            m_mostBusy[request.host] = std::max(m_mostBusy[request.host], busy);
        }
        const Answer answer = answerFor(request);
        const bool going = wait(-1, answer.delay);
        {
            const std::lock_guard lock(m_mutex);
            --m_busy[request.host];
        }
        if (!going || answer.hangUp) {
            break;
        }
        const std::string bytes = responseBytes(answer, request.method == "HEAD");
        if (::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0) {
            break;
        }
    }
    ::close(fd);
    connection.ended = true;
}

}  // namespace lh::test

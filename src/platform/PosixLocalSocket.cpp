#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/LocalSocket.h"

namespace lh::platform {

namespace {

// Closes the socket when the exchange ends, however it ends.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

int millisecondsLeft(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::string instanceSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = runtime != nullptr && *runtime != '\0'       ? runtime
                               : temporary != nullptr && *temporary != '\0' ? temporary
                                                                            : "/tmp";
    return folder + "/linkhaven-" + std::to_string(::getuid()) + ".socket";
}

LocalExchange exchangeLocal(const std::string& path, std::string_view request,
                            const std::function<bool(std::string_view)>& complete,
                            std::chrono::milliseconds timeout) {
    LocalExchange result;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return result;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) {
        result.status = LocalExchange::Status::Failed;
        return result;
    }
    int connected;
    do {
        connected =
            ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (connected != 0 && errno == EINTR);
    if (connected != 0) {
        return result;  // a leftover socket file of an instance that crashed is refused too
    }
    result.status = LocalExchange::Status::Failed;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (std::size_t sent = 0; sent < request.size();) {
        const ssize_t n =
            ::send(fd.get(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return result;
        }
        sent += static_cast<std::size_t>(n);
    }
    char buffer[4096];
    while (!complete(result.answer)) {
        pollfd p{fd.get(), POLLIN, 0};
        const int ready = ::poll(&p, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return result;  // no answer in time
        }
        const ssize_t n = ::recv(fd.get(), buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return result;  // closed before the answer was whole
        }
        result.answer.append(buffer, static_cast<std::size_t>(n));
    }
    result.status = LocalExchange::Status::Answered;
    return result;
}

}  // namespace lh::platform

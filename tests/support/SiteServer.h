#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lh::test {

// An HTTP/1.1 server on 127.0.0.1 for many host names at once (the client maps them to it),
// answering each request from a script by Host header, path and method. A thread per
// connection; keep-alive. It counts the requests being answered per host at the same time.
class SiteServer {
public:
    struct Answer {
        int status = 200;
        std::vector<std::pair<std::string, std::string>> headers;
        std::chrono::milliseconds delay{0};  // before the answer (cut short when the server ends)
        bool hangUp = false;                 // close the connection without a word
        std::string body;
    };
    struct Request {
        std::string method;
        std::string host;  // lower case, without the port
        std::string path;
        std::chrono::steady_clock::time_point at;
    };
    using Handler = std::function<Answer(const Request&)>;

    // Without a handler, answers come from script(); anything not scripted gets a 404.
    explicit SiteServer(Handler handler = {});
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // "host:PORT:127.0.0.1", for a client's resolve list.
    std::string resolveEntry(const std::string& host) const;
    // "http://host:PORT" + path.
    std::string url(const std::string& host, const std::string& path) const;

    // The answers to `method` ("" for any) of `path` on `host`, in turn; the last one repeats.
    void script(const std::string& host, const std::string& path, std::vector<Answer> answers,
                const std::string& method = "");
    static Answer status(int code) { return Answer{code, {}, {}, false, {}}; }
    static Answer redirect(int code, const std::string& location);
    static Answer slow(std::chrono::milliseconds delay) {
        return Answer{200, {}, delay, false, {}};
    }
    static Answer hangUp() { return Answer{200, {}, {}, true, {}}; }

    std::vector<Request> requests() const;
    // The most requests to `host` that were being answered at once.
    int mostAtOnce(const std::string& host) const;

private:
    struct Route {
        std::vector<Answer> answers;
        std::size_t next = 0;
    };
    struct Connection {
        std::thread thread;
        std::atomic<bool> ended{false};
    };

    void acceptLoop(int listener);
    void serve(int fd, Connection& connection);
    Answer answerFor(const Request& request);
    // Waits up to `time` for `fd` to be readable (-1: only waits); false when the server ends.
    bool wait(int fd, std::chrono::milliseconds time) const;
    bool ending() const;

    Handler m_handler;
    std::uint16_t m_port = 0;
    int m_ending;
    mutable std::mutex m_mutex;
    std::map<std::string, Route> m_routes;  // method + " " + host + path
    std::vector<Request> m_requests;
    std::map<std::string, int> m_busy;
    std::map<std::string, int> m_mostBusy;
    std::list<Connection> m_connections;
    std::thread m_acceptor;
};

}  // namespace lh::test

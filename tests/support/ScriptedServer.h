#pragma once

#include <chrono>
#include <cstdint>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace lh::test {

// A TCP server on a loopback address that takes one connection, records the request up to its
// empty line, then plays a finite script of pauses and bytes and closes. Every wait has a
// time-out; the destructor cuts them short and joins the thread.
class ScriptedServer {
public:
    struct Step {
        std::chrono::milliseconds pauseBefore;
        std::string bytes;
    };
    static Step send(std::string bytes) { return {{}, std::move(bytes)}; }
    // Keeps the connection open without a word until the server is destroyed (at most 20 s).
    static Step hold() { return {std::chrono::seconds(20), {}}; }

    // Listens on `address` ("127.0.0.1", "::1"); port() is 0 when it is not available.
    ScriptedServer(const std::string& address, std::vector<Step> script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Waits (at most 10 s) until the whole request has come, and returns it.
    std::string request();

private:
    void run(int listener, const std::vector<Step>& script);
    // Waits at most `time` for `fd` to be readable (-1: only waits); false when the time ran out
    // first or the server is ending.
    bool wait(int fd, std::chrono::milliseconds time) const;

    std::uint16_t m_port = 0;
    int m_ending;  // an event the destructor signals
    std::promise<std::string> m_requestSeen;
    std::shared_future<std::string> m_request = m_requestSeen.get_future().share();
    std::thread m_thread;
};

}  // namespace lh::test

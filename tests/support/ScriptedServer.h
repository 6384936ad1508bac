#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lh::test {

// A TCP server on a loopback address that takes one connection, records the request up to its
// empty line, then plays a finite script of pauses and bytes and closes. Every wait has a
// time-out; the destructor cuts pauses short and joins the thread.
class ScriptedServer {
public:
    struct Step {
        std::chrono::milliseconds pauseBefore;
        std::string bytes;
    };
    static Step send(std::string bytes) { return {std::chrono::milliseconds(0), std::move(bytes)}; }
    static Step pause(std::chrono::milliseconds time) { return {time, {}}; }
    // Keeps the connection open without a word until the server is destroyed (at most 20 s).
    static Step hold() { return pause(std::chrono::seconds(20)); }
    // `first` at once, then one step per byte of `bytes`, each sent after a pause of `gap`.
    static std::vector<Step> drip(std::string first, const std::string& bytes,
                                  std::chrono::milliseconds gap);

    // Listens on `address` ("127.0.0.1", "::1"); port() is 0 when it is not available.
    ScriptedServer(const std::string& address, std::vector<Step> script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Waits (at most 10 s) until the whole request has come, and returns it.
    std::string request();

private:
    void run(int listener);
    // Waits for `fd` at most 10 s, and not past the server's end.
    bool waitReadable(int fd);
    // Sleeps `time` unless the server is being destroyed: false then.
    bool sleep(std::chrono::milliseconds time);

    std::vector<Step> m_script;
    std::uint16_t m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_request;
    bool m_requestDone = false;
    bool m_ending = false;
    std::thread m_thread;
};

}  // namespace lh::test

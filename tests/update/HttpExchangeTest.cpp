#include "update/HttpExchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

namespace lh::update {
namespace {

using namespace std::chrono_literals;

// A socket playing a script of what only a fake can do on cue: data (handed out in as many
// receives as the buffers need), a quiet wait (which sets `stop`), a failed wait or receive.
class ScriptedSocket : public platform::TcpSocket {
public:
    enum class Kind { Data, Quiet, WaitFails, Error };
    struct Event {
        Kind kind;
        std::string bytes;
    };
    explicit ScriptedSocket(std::deque<Event> events) : m_events(std::move(events)) {}

    Wait waitReadable(std::chrono::milliseconds) override {
        const Kind next = m_events.empty() ? Kind::Quiet : m_events.front().kind;
        if (next == Kind::Data || next == Kind::Error) {
            return Wait::Readable;
        }
        if (!m_events.empty()) {
            m_events.pop_front();
        }
        stop = true;
        return next == Kind::Quiet ? Wait::TimedOut : Wait::Failed;
    }
    std::ptrdiff_t receive(std::span<char> buffer) override {
        Event& e = m_events.front();
        if (e.kind == Kind::Error) {
            return -1;
        }
        const std::size_t n = std::min(buffer.size(), e.bytes.size());
        std::copy_n(e.bytes.begin(), n, buffer.begin());
        e.bytes.erase(0, n);
        if (e.bytes.empty()) {
            m_events.pop_front();
        }
        return static_cast<std::ptrdiff_t>(n);
    }
    bool sendAll(std::span<const char>) override { return true; }

    std::atomic<bool> stop{false};

private:
    std::deque<Event> m_events;
};

using K = ScriptedSocket::Kind;
constexpr WaitLimits kLimits{5s, 1ms};

// What a server cannot do on cue; closes, lengths and time-outs are the client test's.
TEST(HttpExchangeTest, ReadBodyAndReadHeaderEndOnErrorsAndStop) {
    struct Case {
        std::deque<ScriptedSocket::Event> events;
        std::int64_t length;
        int result;
        std::string body;
    };
    const Case cases[] = {
        {{{K::Data, "=1.01"}, {K::Error, ""}}, 0, kSendFailed, "ver=1.01"},  // not a close
        {{{K::Data, "=1.01EXTRA"}}, 8, 1, "ver=1.01"},  // bytes past the length stay unread
        {{{K::WaitFails, ""}}, 8, kNoInformation, "ver"},
        {{{K::Quiet, ""}}, 8, kStoppedInBody, "ver"},
        {{{K::Data, "=1"}, {K::Quiet, ""}, {K::Data, ".01"}}, 0, kStoppedInBody, "ver=1"},
    };
    for (const Case& c : cases) {
        ScriptedSocket socket(c.events);
        std::vector<char> bytes = {'v', 'e', 'r'};
        EXPECT_EQ(readBody(socket, bytes, c.length, socket.stop, kLimits), c.result) << c.body;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.body);
    }
    const std::pair<std::deque<ScriptedSocket::Event>, int> headerCases[] = {
        {{{K::Data, "HTTP/1.1 200 OK\r\n"}, {K::Error, ""}}, kNoInformation},
        {{{K::Data, "HTTP/1.1 200 OK\r\n"}, {K::Quiet, ""}}, kStoppedOrBufferFull},
        {{{K::WaitFails, ""}}, kSendFailed},
    };
    for (const auto& [events, result] : headerCases) {
        ScriptedSocket socket(events);
        HeaderReader reader(RequestTarget{"h"});
        EXPECT_EQ(readHeader(socket, reader, socket.stop, kLimits), result);
    }
}

}  // namespace
}  // namespace lh::update

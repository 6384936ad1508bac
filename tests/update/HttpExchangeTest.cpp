#include "update/HttpExchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>

namespace lh::update {
namespace {

using namespace std::chrono_literals;

// A socket playing a script: each event is a chunk of data (handed out in as many receives as
// the buffers need), a quiet wait (which calls `onQuiet`), a failed wait, a close or an error.
class ScriptedSocket : public platform::TcpSocket {
public:
    enum class Kind { Data, Quiet, WaitFails, Close, Error };
    struct Event {
        Kind kind;
        std::string bytes;
    };
    explicit ScriptedSocket(
        std::deque<Event> events, std::function<void()> onQuiet = [] {})
        : m_events(std::move(events)), m_onQuiet(std::move(onQuiet)) {}

    Wait waitReadable(std::chrono::milliseconds) override {
        const Kind next = m_events.empty() ? Kind::Quiet : m_events.front().kind;
        if (next == Kind::Quiet || next == Kind::WaitFails) {
            m_events.erase(m_events.begin(), m_events.begin() + (m_events.empty() ? 0 : 1));
            m_onQuiet();
            return next == Kind::Quiet ? Wait::TimedOut : Wait::Failed;
        }
        return Wait::Readable;
    }
    std::ptrdiff_t receive(std::span<char> buffer) override {
        Event& e = m_events.front();
        if (e.kind != Kind::Data) {
            return e.kind == Kind::Close ? 0 : -1;
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

private:
    std::deque<Event> m_events;
    std::function<void()> m_onQuiet;
};

using K = ScriptedSocket::Kind;
constexpr WaitLimits kLimits{5s, 1ms};

TEST(HttpExchangeTest, ReadBodyTakesTheContentLengthOrAllUntilTheClose) {
    struct Case {
        std::deque<ScriptedSocket::Event> events;
        std::int64_t length;
        int result;
        std::string body;
    };
    const Case cases[] = {
        // The bytes past the length stay unread.
        {{{K::Data, "=1."}, {K::Quiet, ""}, {K::Data, "01EXTRA"}}, 8, 1, "ver=1.01"},
        {{{K::Data, "=1.01 and more"}, {K::Close, ""}}, 0, 1, "ver=1.01 and more"},
        {{{K::Data, "=1.01"}, {K::Error, ""}}, 0, kSendFailed, "ver=1.01"},  // not a close
        {{{K::Data, "=1"}, {K::Close, ""}}, 8, kSendFailed, "ver=1"},
        {{{K::WaitFails, ""}}, 8, kNoInformation, "ver"},
    };
    for (const Case& c : cases) {
        ScriptedSocket socket(c.events);
        std::vector<char> bytes = {'v', 'e', 'r'};
        EXPECT_EQ(readBody(socket, bytes, c.length, false, kLimits), c.result) << c.body;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.body);
    }
    ScriptedSocket quiet({});
    std::vector<char> none;
    EXPECT_EQ(readBody(quiet, none, 8, false, {0ms, 1ms}), kTimedOut);
}

TEST(HttpExchangeTest, ReadBodyStopsWhenTheBufferIsFullOrWhenAsked) {
    ScriptedSocket big({{K::Data, std::string(20'000, 'x')}});
    std::vector<char> bytes;
    EXPECT_EQ(readBody(big, bytes, 20'000, false, kLimits), kStoppedOrBufferFull);
    EXPECT_EQ(bytes.size(), kBodyBufferSize);

    std::atomic<bool> stop{false};
    ScriptedSocket quiet({{K::Quiet, ""}}, [&] { stop = true; });
    EXPECT_EQ(readBody(quiet, bytes = {}, 8, stop, kLimits), kStoppedInBody);
    // Set while data keeps coming: seen after the receive.
    ScriptedSocket busy({{K::Data, "ver="}, {K::Quiet, ""}, {K::Data, "1.01"}},
                        [&] { stop = true; });
    stop = false;
    EXPECT_EQ(readBody(busy, bytes = {}, 0, stop, kLimits), kStoppedInBody);
}

TEST(HttpExchangeTest, ReadHeaderEndsOnEveryKindOfTrouble) {
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Length: 8\r\n\r\nver=";
    const auto run = [](std::deque<ScriptedSocket::Event> events, WaitLimits limits = kLimits) {
        std::atomic<bool> stop{false};
        ScriptedSocket socket(std::move(events), [&] { stop = true; });
        HeaderReader reader(RequestTarget{"h"});
        return readHeader(socket, reader, stop, limits);
    };
    EXPECT_EQ(run({{K::Data, header.substr(0, 20)}, {K::Data, header.substr(20)}}), 1);
    EXPECT_EQ(run({{K::Data, header.substr(0, 20)}, {K::Error, ""}}), kNoInformation);
    EXPECT_EQ(run({{K::Data, header.substr(0, 20)}, {K::Quiet, ""}}), kStoppedOrBufferFull);
    EXPECT_EQ(run({{K::WaitFails, ""}}), kSendFailed);
    EXPECT_EQ(run({}, {0ms, 1ms}), kTimedOut);
    EXPECT_EQ(run({{K::Data, "HTTP/1.1 200 OK\r\nLocation: x\r\n"}}), kBadLocation);
}

}  // namespace
}  // namespace lh::update

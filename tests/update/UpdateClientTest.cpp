#include "update/UpdateClient.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "support/ScriptedServer.h"
#include "update/HttpResponse.h"
#include "update/UpdateRequest.h"

namespace lh::update {
namespace {

using namespace std::chrono_literals;
using test::ScriptedServer;
using Script = std::vector<ScriptedServer::Step>;

// Short enough for tests that wait them out, long enough for a loaded machine.
constexpr FetchLimits kShort{2s, 1s, 1s, 10ms};

std::string ok(const std::string& headers) {
    return "HTTP/1.1 200 OK\r\n" + headers + "\r\n";
}

int fetch(Script script) {
    ScriptedServer server("127.0.0.1", std::move(script));
    return fetchUpdateInfo({"127.0.0.1", server.port()}, false, kShort);
}

TEST(UpdateClientTest, SendsTheExactRequest) {
    for (const std::string address : {"127.0.0.1", "::1"}) {
        ScriptedServer server(address,
                              {ScriptedServer::send(ok("Content-Length: 8\r\n") + "ver=1.01")});
        if (server.port() == 0) {
            continue;  // no IPv6 loopback here
        }
        const std::string bracketed = address == "::1" ? "[::1]" : address;
        EXPECT_EQ(fetchUpdateInfo({bracketed, server.port()}, false, kShort), kNewerVersion);
        const std::string host = bracketed + ":" + std::to_string(server.port());
        const std::string request = server.request();
        EXPECT_EQ(request, "GET /images/lhdupdate.ini HTTP/1.1\r\nHost: " + host +
                               "\r\nAccept: */* \r\nReferer: http://" + host +
                               "/images\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.00; "
                               "Windows 98)\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n"
                               "Connection: close\r\n  \r\n\r\n");
        EXPECT_EQ(request.size(), kRequestFixedBytes + 2 * host.size());
    }
    // Too long a host text for the request: nobody is asked, though the address would answer.
    ScriptedServer server("::1", {ScriptedServer::send(ok("") + "ver=1.01")});
    const std::string longForm = "[0000:0000:0000:0000:0000:0000:0000:0001]";
    if (server.port() != 0) {
        EXPECT_EQ(fetchUpdateInfo({longForm, server.port()}, false, kShort), kNoInformation);
    }
}

TEST(UpdateClientTest, JudgesTheBodyWithTheVersionTest) {
    const std::pair<std::string, int> cases[] = {
        {"ver=1.00", kLatestVersion}, {"<html>\r\n<body>Not here</body></html>", kNoInformation}};
    for (const auto& [body, expected] : cases) {
        const std::string length = "Content-Length: " + std::to_string(body.size()) + "\r\n";
        EXPECT_EQ(fetch({ScriptedServer::send(ok(length) + body)}), expected) << body;
    }
}

TEST(UpdateClientTest, PacketTimingNeverChangesTheAnswer) {
    const auto later = [](const std::string& header, const std::string& body) {
        return Script{ScriptedServer::send(header), {50ms, body}};
    };
    EXPECT_EQ(fetch(later(ok("Content-Length: 8\r\n"), "ver=1.01")), kNewerVersion);
    EXPECT_EQ(fetch({ScriptedServer::send(ok("") + "ver=1.01")}), kNewerVersion);
    EXPECT_EQ(fetch(later(ok(""), "ver=1.01")), kNewerVersion);
    EXPECT_EQ(fetch(later(ok("") + "ver=", "1.01")), kNewerVersion);
    // Bytes past the content length are not body, in the same packet or a later one.
    EXPECT_EQ(fetch({ScriptedServer::send(ok("Content-Length: 7\r\n") + "ver=1.01")}),
              kNoInformation);
    EXPECT_EQ(fetch(later(ok("Content-Length: 7\r\n") + "ver", "=1.01")), kNoInformation);
}

TEST(UpdateClientTest, RefusesAnswersItCannotUse) {
    const auto answer = [](const std::string& bytes) {
        return fetch({ScriptedServer::send(bytes)});
    };
    EXPECT_EQ(answer("HTTP/1.1 302 Found\r\nLocation: http://elsewhere.test/x\r\n\r\nver=1.01"),
              kSendFailed);
    EXPECT_EQ(answer("HTTP/1.1 302 Found\r\nLocation: /\r\n\r\n"), kBadLocation);
    EXPECT_EQ(answer(ok("Transfer-Encoding: chunked\r\n") + "8\r\nver=1.01\r\n0\r\n\r\n"),
              kNoInformation);
    EXPECT_EQ(answer(ok("Content-Length: 20000\r\n") + std::string(20'000, 'x')),
              kStoppedOrBufferFull);
    EXPECT_EQ(answer(ok("Content-Range: bytes 0-7/1000\r\n") + "ver=1.01 and the rest"),
              kNewerVersion);
    EXPECT_EQ(answer("HTTP/1.1 200 OK\r\nContent-Le"), kNoInformation);          // closed in header
    EXPECT_EQ(answer(ok("Content-Length: 100\r\n") + "ver=1.01"), kSendFailed);  // in body
    // Held open after too long a header: refused at once, not after the time-out.
    const auto held = [](const std::string& bytes) {
        return fetch({ScriptedServer::send(bytes), ScriptedServer::hold()});
    };
    EXPECT_EQ(held(ok("X: " + std::string(1'000'000, 'a'))), kNoInformation);
    std::string lines;
    for (int i = 0; i < 10'000; ++i) {
        lines += "X-Line: " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(held("HTTP/1.1 200 OK\r\n" + lines), kNoInformation);
    std::string garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 251));  // NUL bytes too
    }
    EXPECT_LE(answer(garbage), kNoInformation);
}

TEST(UpdateClientTest, EveryWaitEndsOnTheWallClock) {
    // A byte every 20 ms: each wait is short, but the phase runs out.
    const auto drip = [](const std::string& first, char each) {
        Script script{ScriptedServer::send(first)};
        script.resize(201, {20ms, std::string(1, each)});
        return fetch(script);
    };
    EXPECT_EQ(drip("HTTP/1.1 200 OK\r\nX: ", 'a'), kTimedOut);
    EXPECT_EQ(drip(ok("Content-Length: 300\r\n"), 'v'), kTimedOut);
}

TEST(UpdateClientTest, StopEndsAnyWait) {
    std::atomic<bool> stop{true};
    ScriptedServer unused("127.0.0.1", {});
    EXPECT_EQ(fetchUpdateInfo({"127.0.0.1", unused.port()}, stop), kStoppedOrBufferFull);

    ScriptedServer silent("127.0.0.1", {ScriptedServer::hold()});
    stop = false;
    int result = 1;
    const auto started = std::chrono::steady_clock::now();
    std::thread client([&] { result = fetchUpdateInfo({"127.0.0.1", silent.port()}, stop); });
    silent.request();  // the client now waits for the header
    stop = true;
    client.join();
    EXPECT_EQ(result, kStoppedOrBufferFull);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);  // not the 60 s time-out
}

}  // namespace
}  // namespace lh::update

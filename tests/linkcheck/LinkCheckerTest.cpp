#include "linkcheck/LinkChecker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

#include "support/ScopedEnvironment.h"
#include "support/SiteServer.h"

namespace lh::linkcheck {
namespace {

using namespace std::chrono_literals;
using test::SiteServer;

// Runs against the local server: its host names mapped to it, short pauses, no proxy.
class LocalRun {
public:
    explicit LocalRun(const SiteServer& server, std::vector<std::string> hosts) {
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
            m_environment.unset(name);
        }
        options.allowPrivate = true;
        options.hostSpacing = 1ms;
        options.retryDelay = 20ms;
        options.connectTimeout = 5s;
        options.totalTimeout = 5s;
        for (const std::string& host : hosts) {
            options.resolve.push_back(server.resolveEntry(host));
        }
    }

    // The results by address.
    std::map<std::string, LinkResult> check(const std::vector<std::string>& addresses) {
        std::vector<LinkTarget> targets;
        for (const std::string& a : addresses) {
            targets.push_back({static_cast<std::uint32_t>(targets.size() + 1), a});
        }
        std::map<std::string, LinkResult> results;
        std::atomic<bool> stop{false};
        checkLinks(
            targets, options,
            [&](const LinkResult& r) { EXPECT_TRUE(results.emplace(r.address, r).second); }, stop);
        EXPECT_EQ(results.size(), addresses.size());
        return results;
    }

    CheckOptions options;

private:
    test::ScopedEnvironment m_environment;
};

std::vector<std::string> methodsTo(const SiteServer& server, const std::string& path) {
    std::vector<std::string> methods;
    for (const auto& r : server.requests()) {
        if (r.path == path) {
            methods.push_back(r.method);
        }
    }
    return methods;
}

TEST(LinkCheckerTest, EachKindOfAnswerGetsItsVerdict) {
    SiteServer server;
    const auto at = [&](const std::string& path) { return server.url("a.test", path); };
    server.script("a.test", "/ok", {SiteServer::status(200)});
    server.script("a.test", "/old", {SiteServer::redirect(301, "/new")});
    server.script("a.test", "/new", {SiteServer::status(200)});
    server.script("a.test", "/broken", {SiteServer::status(500)});
    server.script("a.test", "/slow", {SiteServer::slow(10s)});
    server.script("a.test", "/flaky", {SiteServer::status(503), SiteServer::status(200)}, "HEAD");
    server.script("a.test", "/flaky", {SiteServer::status(503)}, "GET");
    LocalRun run(server, {"a.test"});
    run.options.totalTimeout = 300ms;
    const auto results =
        run.check({at("/ok"), at("/old"), at("/missing"), at("/broken"), at("/slow"), at("/flaky"),
                   "mailto:someone@example.org", "javascript:void(0)", "file:///etc/hosts"});
    const auto verdict = [&](const std::string& a) { return results.at(a).verdict; };
    EXPECT_EQ(verdict(at("/ok")), Verdict::Ok);
    EXPECT_EQ(results.at(at("/ok")).code, 200);
    EXPECT_EQ(verdict(at("/old")), Verdict::Moved);
    EXPECT_EQ(results.at(at("/old")).finalAddress, at("/new"));
    EXPECT_EQ(verdict(at("/missing")), Verdict::Dead);
    EXPECT_EQ(results.at(at("/missing")).code, 404);
    EXPECT_EQ(verdict(at("/slow")), Verdict::Error);
    EXPECT_EQ(results.at(at("/slow")).reason, "time-out");
    // A server error is asked again, HEAD then GET on each try, and stays an error.
    EXPECT_EQ(verdict(at("/broken")), Verdict::Error);
    EXPECT_EQ(results.at(at("/broken")).code, 500);
    EXPECT_EQ(methodsTo(server, "/broken"),
              (std::vector<std::string>{"HEAD", "GET", "HEAD", "GET"}));
    EXPECT_EQ(verdict(at("/flaky")), Verdict::Ok);
    // A time-out is not asked again.
    EXPECT_EQ(methodsTo(server, "/slow"), (std::vector<std::string>{"HEAD"}));
    for (const char* other :
         {"mailto:someone@example.org", "javascript:void(0)", "file:///etc/hosts"}) {
        EXPECT_EQ(verdict(other), Verdict::Skipped) << other;
    }
}

TEST(LinkCheckerTest, AMissingNameIsDeadOnlyWhileOtherNamesResolve) {
    SiteServer server;
    server.script("a.test", "/ok", {SiteServer::status(200)});
    LocalRun run(server, {"a.test"});
    run.options.retryDelay = 1s;  // a.test has answered long before the second try
    EXPECT_EQ(run.check({"http://nosuch.invalid/", server.url("a.test", "/ok")})
                  .at("http://nosuch.invalid/")
                  .verdict,
              Verdict::Dead);
    // Alone, it might as well be the network that is gone.
    run.options.retryDelay = 1ms;
    EXPECT_EQ(run.check({"http://nosuch.invalid/"}).begin()->second.verdict, Verdict::Error);
}

TEST(LinkCheckerTest, HeadRefusedOrDroppedIsAskedWithGet) {
    SiteServer server;
    server.script("b.test", "/no-head", {SiteServer::status(405)}, "HEAD");
    server.script("b.test", "/no-head", {{200, {}, {}, false, std::string(100'000, 'x')}}, "GET");
    server.script("b.test", "/hangs-up", {SiteServer::hangUp()}, "HEAD");
    server.script("b.test", "/hangs-up", {SiteServer::status(200)}, "GET");
    LocalRun run(server, {"b.test"});
    const auto results =
        run.check({server.url("b.test", "/no-head"), server.url("b.test", "/hangs-up")});
    for (const auto& [address, result] : results) {
        EXPECT_EQ(result.verdict, Verdict::Ok) << address;
    }
    EXPECT_EQ(methodsTo(server, "/no-head"), (std::vector<std::string>{"HEAD", "GET"}));
    // libcurl itself asks again once when a reused connection is dropped: one HEAD or two.
    std::vector<std::string> hangsUp = methodsTo(server, "/hangs-up");
    if (hangsUp.size() == 3 && hangsUp[0] == "HEAD") {
        hangsUp.erase(hangsUp.begin());
    }
    EXPECT_EQ(hangsUp, (std::vector<std::string>{"HEAD", "GET"}));
}

TEST(LinkCheckerTest, RedirectChainsAreFollowedAcrossHosts) {
    SiteServer server;
    const auto c = [&](const std::string& path) { return server.url("c.test", path); };
    const auto d = [&](const std::string& path) { return server.url("d.test", path); };
    server.script("c.test", "/to-ok", {SiteServer::redirect(302, d("/hop"))});
    server.script("d.test", "/hop", {SiteServer::redirect(307, "/landing")});
    server.script("d.test", "/landing", {SiteServer::status(200)});
    server.script("c.test", "/to-404", {SiteServer::redirect(301, d("/lost"))});
    server.script("c.test", "/loop", {SiteServer::redirect(302, "/loop2")});
    server.script("c.test", "/loop2", {SiteServer::redirect(302, "/loop")});
    // Moved for good to /v2, which redirects only for now: /v2 is the address to keep.
    server.script("c.test", "/v1", {SiteServer::redirect(308, "/v2")});
    server.script("c.test", "/v2", {SiteServer::redirect(302, "/v2/today")});
    server.script("c.test", "/v2/today", {SiteServer::status(200)});
    LocalRun run(server, {"c.test", "d.test"});
    const auto results = run.check({c("/to-ok"), c("/to-404"), c("/loop"), c("/v1")});
    EXPECT_EQ(results.at(c("/to-ok")).verdict, Verdict::Ok);
    EXPECT_EQ(results.at(c("/to-ok")).finalAddress, d("/landing"));
    EXPECT_EQ(results.at(c("/to-404")).verdict, Verdict::Dead);
    EXPECT_EQ(results.at(c("/to-404")).finalAddress, d("/lost"));
    EXPECT_EQ(results.at(c("/loop")).verdict, Verdict::Error);
    EXPECT_EQ(results.at(c("/loop")).reason, "redirect loop");
    EXPECT_EQ(results.at(c("/v1")).verdict, Verdict::Moved);
    EXPECT_EQ(results.at(c("/v1")).finalAddress, c("/v2"));
}

TEST(LinkCheckerTest, TheSameAddressIsAskedOnceForAllItsLinks) {
    SiteServer server;
    server.script("a.test", "/", {SiteServer::status(410)});
    LocalRun run(server, {"a.test"});
    std::vector<LinkTarget> targets{{7, server.url("a.test", "/")},
                                    {8, server.url("a.test", "")},
                                    {9, server.url("a.test", "/")}};
    std::vector<std::pair<std::size_t, std::uint32_t>> reported;
    const std::atomic<bool> stop{false};
    checkLinks(
        targets, run.options,
        [&](const LinkResult& r) {
            EXPECT_EQ(r.verdict, Verdict::Dead);
            EXPECT_EQ(r.address, targets[r.index].address);
            reported.emplace_back(r.index, r.itemId);
        },
        stop);
    using Reported = std::vector<std::pair<std::size_t, std::uint32_t>>;
    EXPECT_EQ(reported, (Reported{{0, 7}, {1, 8}, {2, 9}}));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(LinkCheckerTest, ServersThatAskForAPauseGetIt) {
    SiteServer server;
    server.script("e.test", "/busy",
                  {{429, {{"Retry-After", "1"}}, {}, false, {}}, SiteServer::status(200)});
    LocalRun run(server, {"e.test"});
    const auto results = run.check({server.url("e.test", "/busy")});
    EXPECT_EQ(results.begin()->second.verdict, Verdict::Ok);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_GE(requests[1].at - requests[0].at, 1s);
}

TEST(LinkCheckerTest, PrivateAddressesAreRefusedUnlessAllowed) {
    SiteServer server;
    server.script("f.test", "/", {SiteServer::status(200)});
    LocalRun run(server, {"f.test"});
    run.options.allowPrivate = false;
    // f.test resolves to 127.0.0.1: only the connection shows it. A literal address is known
    // at once.
    const auto results =
        run.check({server.url("f.test", "/"), "http://127.0.0.1:9/", "http://[::1]/"});
    for (const auto& [address, result] : results) {
        EXPECT_EQ(result.verdict, Verdict::Skipped) << address;
        EXPECT_EQ(result.reason, "private address") << address;
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST(LinkCheckerTest, NoHostGetsMoreThanItsShare) {
    SiteServer server([](const SiteServer::Request&) {
        return SiteServer::Answer{200, {}, 20ms, false, {}};
    });
    LocalRun run(server, {"h.test"});
    run.options.perHost = 2;
    run.options.maxInFlight = 10;
    std::vector<std::string> addresses;
    for (int i = 0; i < 30; ++i) {
        addresses.push_back(server.url("h.test", "/" + std::to_string(i)));
    }
    const auto results = run.check(addresses);
    EXPECT_TRUE(std::all_of(results.begin(), results.end(),
                            [](const auto& r) { return r.second.verdict == Verdict::Ok; }));
    EXPECT_LE(server.mostAtOnce("h.test"), 2);
}

TEST(LinkCheckerTest, ACancelledRunEndsWithoutFurtherResults) {
    SiteServer server;
    server.script("k.test", "/quick", {SiteServer::status(200)});
    std::vector<LinkTarget> targets{{1, server.url("k.test", "/quick")}};
    for (std::uint32_t id = 2; id < 6; ++id) {
        const std::string path = "/stuck" + std::to_string(id);
        server.script("k.test", path, {SiteServer::slow(20s)});
        targets.push_back({id, server.url("k.test", path)});
    }
    LocalRun local(server, {"k.test"});
    local.options.perHost = 8;
    local.options.totalTimeout = 60s;  // the stuck links wait for the cancel
    std::mutex mutex;
    std::vector<std::uint32_t> reported;
    std::atomic<bool> finished{false};
    auto run = makeThreadRun();
    run->start(
        targets, local.options,
        [&](const LinkResult& r) {
            const std::lock_guard lock(mutex);
            reported.push_back(r.itemId);
        },
        [&] { finished = true; });
    // Mid-run: the quick link is in, the others are waiting on the server.
    for (int i = 0; i < 1000 && server.requests().size() < targets.size(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(server.requests().size(), targets.size());
    EXPECT_TRUE(run->running());
    run->cancel();
    EXPECT_FALSE(run->running());
    EXPECT_TRUE(finished);
    const std::lock_guard lock(mutex);
    EXPECT_EQ(reported, (std::vector<std::uint32_t>{1}));
}

}  // namespace
}  // namespace lh::linkcheck

#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "linkcheck/HostScheduler.h"
#include "linkcheck/LinkChecker.h"
#include "linkcheck/Transfer.h"

namespace lh::linkcheck {

// One run of checkLinks: the links' states, the scheduler and libcurl's multi handle, on the
// calling thread.
class CheckSession {
public:
    CheckSession(std::span<const LinkTarget> targets, const CheckOptions& options,
                 const ResultSink& onResult);
    ~CheckSession();
    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    // Runs until every link has its result or `stop` is set.
    void run(const std::atomic<bool>& stop);

private:
    using Clock = std::chrono::steady_clock;

    struct Link {
        std::string original;  // the address as libcurl writes it
        std::string address;   // where the next request goes
        std::string host;      // its host name in lower case
        std::vector<std::string> visited;
        int redirects = 0;
        int waits = 0;  // pauses the server asked for
        bool useGet = false;
        bool secondTry = false;
        bool permanentSoFar = true;
        std::string permanentEnd;  // where the first, permanent redirects lead
        std::chrono::milliseconds spentThisTry{0};
        std::chrono::milliseconds spent{0};
        Clock::time_point tryBegan{};  // of the first try
        std::unique_ptr<Transfer> transfer;
        std::vector<std::size_t> copies;  // later targets with the same address
    };

    void queueFirstTries();
    void report(std::size_t index, const Judgement& judgement, int code, std::string finalAddress);
    void startReady(Clock::time_point now);
    void start(std::size_t index);
    void collectDone();
    void done(std::size_t index, CURLcode result);
    // What happens after an answer or failure; false when the link is finished.
    bool goOn(std::size_t index, const Transfer::Outcome& outcome);
    bool followRedirect(std::size_t index, int code, const std::string& location);
    void requeue(std::size_t index, Clock::time_point notBefore = {});
    void finish(std::size_t index, const Transfer::Outcome& outcome);
    curl_slist* resolveFor(const std::string& host);

    std::span<const LinkTarget> m_targets;
    const CheckOptions& m_options;
    const ResultSink& m_onResult;
    std::vector<Link> m_links;
    HostScheduler m_scheduler;
    std::map<std::string, curl_slist*> m_resolve;
    std::unordered_map<std::string, std::size_t>
        m_firstOf;  // the first link of each address  // --resolve entries by host name
    bool m_proxied;
    std::optional<Clock::time_point> m_lastReached;  // some host answered the name lookup
    CURLSH* m_share;
    CURLM* m_multi;
};

}  // namespace lh::linkcheck

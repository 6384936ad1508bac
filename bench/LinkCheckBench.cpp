// The link check against a local server: 10,000 links on 200 host names, every answer 200 ms
// late, a mix of 200, 301, 404, 410, 500 and silence (one link in 200), with the program's own
// settings (128 in flight, 2 per host, 250 ms between requests to a host, 20 s time-out, 500s asked
// again after 30 s). Prints the time, links per second, peak resident memory and whether every
// verdict came out right.
//   linkhaven-bench-linkcheck [LINKS] [HOSTS] [SILENT_EVERY]

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "linkcheck/LinkChecker.h"
#include "support/SiteServer.h"

using namespace lh;
using namespace std::chrono_literals;

namespace {

enum class Kind { Ok, Moved, NotFound, Gone, ServerError, Silent };

std::size_t silentEvery = 200;

// Of every fifty links: 5 moved, 5 not found, 2 gone, 5 server errors, the rest fine; one link
// in `silentEvery` is never answered.
Kind kindOf(std::size_t link) {
    if (link % silentEvery == silentEvery / 2) {
        return Kind::Silent;
    }
    const std::size_t n = link % 50;
    if (n == 21 || n == 41) {
        return Kind::Gone;
    }
    switch (n % 10) {
        case 3:
            return Kind::Moved;
        case 6:
            return Kind::ServerError;
        case 9:
            return Kind::NotFound;
        default:
            return Kind::Ok;
    }
}

struct Expected {
    linkcheck::Verdict verdict;
    int code;
};

Expected expected(Kind kind) {
    switch (kind) {
        case Kind::Ok:
            return {linkcheck::Verdict::Ok, 200};
        case Kind::Moved:
            return {linkcheck::Verdict::Moved, 200};
        case Kind::NotFound:
            return {linkcheck::Verdict::Dead, 404};
        case Kind::Gone:
            return {linkcheck::Verdict::Dead, 410};
        case Kind::ServerError:
            return {linkcheck::Verdict::Error, 500};
        default:
            return {linkcheck::Verdict::Error, 0};
    }
}

// Paths are "/<link>"; the link's number says what to answer. Redirects lead to "/<link>/new".
test::SiteServer::Answer answer(const test::SiteServer::Request& request) {
    test::SiteServer::Answer a;
    a.delay = 200ms;
    const std::size_t link = std::strtoul(request.path.c_str() + 1, nullptr, 10);
    if (request.path.ends_with("/new")) {
        return a;
    }
    switch (kindOf(link)) {
        case Kind::Moved:
            a.status = 301;
            a.headers = {{"Location", request.path + "/new"}};
            break;
        case Kind::NotFound:
            a.status = 404;
            break;
        case Kind::Gone:
            a.status = 410;
            break;
        case Kind::ServerError:
            a.status = 500;
            break;
        case Kind::Silent:
            a.delay = 25s;
            break;
        default:
            break;
    }
    return a;
}

double residentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t links = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10'000;
    const std::size_t hosts = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 200;
    silentEvery = argc > 3 ? std::max<std::size_t>(std::strtoul(argv[3], nullptr, 10), 2) : 200;
    test::SiteServer server(answer);
    linkcheck::CheckOptions options;  // the program's own settings
    options.allowPrivate = true;      // the server is on 127.0.0.1
    std::vector<linkcheck::LinkTarget> targets;
    for (std::size_t h = 0; h < hosts; ++h) {
        options.resolve.push_back(server.resolveEntry("site" + std::to_string(h) + ".test"));
    }
    // Grouped by host, the worst order for a checker that does not interleave.
    for (std::size_t i = 0; i < links; ++i) {
        const std::string host = "site" + std::to_string(i * hosts / links) + ".test";
        targets.push_back(
            {static_cast<std::uint32_t>(i + 1), server.url(host, "/" + std::to_string(i))});
    }
    const double before = residentMegabytes();
    std::size_t wrong = 0;
    std::size_t done = 0;
    std::array<std::size_t, 5> counts{};
    std::map<std::string, std::size_t> reasons;
    std::vector<double> finishedAt;  // seconds from the start, in finishing order
    const auto start = std::chrono::steady_clock::now();
    const std::atomic<bool> never{false};
    const double seconds = bench::secondsOf([&] {
        linkcheck::checkLinks(
            targets, options,
            [&](const linkcheck::LinkResult& r) {
                ++done;
                finishedAt.push_back(
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                        .count());
                ++counts[static_cast<std::size_t>(r.verdict)];
                ++reasons[r.reason];
                const Expected e = expected(kindOf(r.index));
                if (r.verdict != e.verdict || r.code != e.code) {
                    ++wrong;
                }
            },
            never);
    });
    std::printf("links %zu on %zu hosts, %zu requests\n", links, hosts, server.requests().size());
    std::printf("ok %zu  moved %zu  dead %zu  error %zu  skipped %zu\n", counts[0], counts[1],
                counts[2], counts[3], counts[4]);
    std::printf("finished in %.1f s: %.0f links per second\n", seconds,
                static_cast<double>(links) / seconds);
    for (const auto& [reason, n] : reasons) {
        std::printf("  %s: %zu\n", reason.empty() ? "(ok)" : reason.c_str(), n);
    }
    if (!finishedAt.empty()) {
        std::printf("results in after %.1f s (half), %.1f s (90 %%), %.1f s (99 %%)\n",
                    finishedAt[finishedAt.size() / 2], finishedAt[finishedAt.size() * 9 / 10],
                    finishedAt[finishedAt.size() * 99 / 100]);
    }
    std::printf("peak resident memory %.1f MB (%.1f MB before the run, server included)\n",
                residentMegabytes(), before);
    std::printf("verdicts: %s (%zu results, %zu wrong)\n",
                wrong == 0 && done == links ? "all right" : "WRONG", done, wrong);
    return wrong == 0 && done == links ? 0 : 1;
}

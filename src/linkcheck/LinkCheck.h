#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::linkcheck {

// What a check found out about one address.
enum class Verdict {
    Ok,       // 2xx, or redirects ending in 2xx
    Moved,    // a permanent redirect (301/308) to another address, offered for updating
    Dead,     // 404 or 410, or a host name that does not exist (twice, while others resolve)
    Error,    // anything else that failed: 401, 403, other 4xx, 5xx, loops, time-outs, TLS...
    Skipped,  // not checked: not http(s), or a private or local address not allowed
};

// "ok", "moved", "dead", "error", "skipped": the names the CLI prints and the results file keeps.
std::string_view verdictName(Verdict verdict);
std::optional<Verdict> verdictFromName(std::string_view name);

// One link to check. `itemId` only travels with it (the checker never reads the database).
struct LinkTarget {
    std::uint32_t itemId = 0;
    std::string address;
};

struct LinkResult {
    std::size_t index = 0;  // the target's position in the run's list
    std::uint32_t itemId = 0;
    std::string address;
    Verdict verdict = Verdict::Error;
    int code = 0;  // the last HTTP status seen, 0 when none
    // For `moved`, where the permanent redirects lead (the address to offer); otherwise where
    // the redirects ended; empty without redirects. Always an address a link may keep.
    std::string finalAddress;
    std::string reason;          // a short text for people: "time-out", "private address", ...
    std::int64_t ms = 0;         // time spent on the link, retries included
    std::int64_t checkedAt = 0;  // seconds since the epoch (UTC)
    bool remembered = false;     // taken from the results file, not checked in this run
};

// The rules of a run. The defaults are the program's; tests shorten the delays.
struct CheckOptions {
    int maxInFlight = 128;
    int perHost = 2;
    std::chrono::milliseconds hostSpacing{250};
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{20'000};
    // Before the one retry of an error that may pass: a server error, a refused connection, a
    // name not found. Time-outs, 4xx answers, loops and TLS failures are not asked again.
    std::chrono::milliseconds retryDelay{30'000};
    bool allowPrivate = false;
    // Entries of the form HOST:PORT:ADDRESS, as curl's --resolve (tests and benchmarks).
    std::vector<std::string> resolve;
};

}  // namespace lh::linkcheck

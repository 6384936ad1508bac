#include "linkcheck/Verdicts.h"

namespace lh::linkcheck {

namespace {

Judgement error(std::string reason, bool retry) {
    return {Verdict::Error, std::move(reason), retry};
}

Judgement judgeFailure(const Observation& seen) {
    switch (seen.failure) {
        case Failure::PrivateAddress:
            return {Verdict::Skipped, "private address", false};
        case Failure::NoSuchName:
            // Offline, every name fails: nothing is dead then.
            if (seen.secondTry && seen.othersResolve) {
                return {Verdict::Dead, "no such host", false};
            }
            return error(seen.othersResolve ? "no such host" : "host names do not resolve", true);
        case Failure::TimedOut:
            // The try already waited the whole time-out; a second one would double what a
            // silent site costs the run, and the verdict stays an error either way.
            return error("time-out", false);
        case Failure::Refused:
            return error("connection refused", true);
        case Failure::Tls:
            return error("secure connection failed", false);
        case Failure::RedirectLoop:
            return error("redirect loop", false);
        case Failure::TooManyRedirects:
            return error("too many redirects", false);
        case Failure::BadRedirect:
            return error("redirect to an address that cannot be checked", false);
        default:
            return error("connection failed", true);
    }
}

}  // namespace

Judgement judge(const Observation& seen) {
    if (seen.failure != Failure::None) {
        return judgeFailure(seen);
    }
    const int code = seen.code;
    if (code >= 200 && code < 300) {
        return seen.movedAway ? Judgement{Verdict::Moved, "moved permanently", false}
                              : Judgement{Verdict::Ok, {}, false};
    }
    if (code == 404 || code == 410) {
        return {Verdict::Dead, code == 404 ? "not found" : "gone", false};
    }
    if (code == 401 || code == 403) {
        return error(code == 401 ? "needs a login" : "forbidden", false);
    }
    if (code == 429) {
        return error("too many requests", false);
    }
    if (code >= 500 && code < 600) {
        return error("server error", true);
    }
    if (code >= 300 && code < 400) {
        return error("redirect without an address", false);
    }
    return error(code == 0 ? "no answer" : "refused by the server", false);
}

bool headRefused(int code) {
    return code >= 400 && code != 404 && code != 410 && code != 429;
}

bool isRedirect(int code) {
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

bool isPermanentRedirect(int code) {
    return code == 301 || code == 308;
}

}  // namespace lh::linkcheck

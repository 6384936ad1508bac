#pragma once

#include <string>

#include "linkcheck/LinkCheck.h"

namespace lh::linkcheck {

// How a request ended when no answer came.
enum class Failure {
    None,            // an HTTP answer came
    TimedOut,        // connecting or the whole exchange took too long
    Refused,         // the connection was refused or reset
    NoSuchName,      // the host name did not resolve
    Tls,             // the secure connection could not be set up or trusted
    PrivateAddress,  // the name led to a private or local address, which is not allowed
    RedirectLoop,    // the redirects came back to an address already seen
    TooManyRedirects,
    BadRedirect,  // a redirect to an address that is not a web page, or one no link may keep
    Other,
};

// What one try of a link saw, from its first request to its last answer.
struct Observation {
    Failure failure = Failure::None;
    int code = 0;                // the status of the last answer, 0 when none
    bool movedAway = false;      // the first redirects were all permanent and lead elsewhere
    bool secondTry = false;      // this was the link's retry
    bool othersResolve = false;  // other host names resolved during the run (we are online)
};

struct Judgement {
    Verdict verdict = Verdict::Error;
    std::string reason;  // short, for people; empty for a plain ok
    bool retry = false;  // an error worth one more try after a pause
};

// The verdict on one try. Only 404, 410 and a name that is missing on both tries while others
// resolve are dead: one time-out or server error never is.
Judgement judge(const Observation& seen);

// Whether a HEAD answered with `code` is worth asking again with GET: servers that refuse HEAD
// say so with 405, 501 or some other error, but 404 and 410 mean the same for both, and 429 is
// a wait, not a refusal.
bool headRefused(int code);

// Whether `code` sends the request on to another address (a Location header is needed too).
bool isRedirect(int code);
// 301 and 308: the address has changed for good.
bool isPermanentRedirect(int code);

}  // namespace lh::linkcheck

#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace lh::platform {

// The socket a running Linkhaven listens on, one per user: in $XDG_RUNTIME_DIR, else in the
// temporary folder ($TMPDIR, else /tmp).
std::string instanceSocketPath();

// One request and its answer over a local (Unix domain) stream socket.
struct LocalExchange {
    enum class Status {
        NoListener,  // nobody listens at the path (no running instance)
        Answered,    // `answer` is complete
        Failed,      // the listener went away or did not answer in time
    };
    Status status = Status::NoListener;
    std::string answer;
};
// Sends `request` to the socket at `path` and reads until `complete(answer so far)` or the other
// side closes; the whole exchange ends after `timeout`.
LocalExchange exchangeLocal(const std::string& path, std::string_view request,
                            const std::function<bool(std::string_view)>& complete,
                            std::chrono::milliseconds timeout);

}  // namespace lh::platform

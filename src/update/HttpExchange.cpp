#include "update/HttpExchange.h"

#include <algorithm>
#include <array>

#include "update/HttpResponse.h"

namespace lh::update {

namespace {

using Clock = std::chrono::steady_clock;
using platform::TcpSocket;

enum class Outcome { Readable, Stopped, TimedOut, Failed };

// Waits for data in slices until `deadline`, looking at `stop` after each empty slice. The
// deadline is on the wall clock, so a server sending a byte now and then cannot keep us forever.
Outcome waitForData(TcpSocket& socket, Clock::time_point deadline, std::chrono::milliseconds slice,
                    const std::atomic<bool>& stop) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return Outcome::TimedOut;
        }
        switch (socket.waitReadable(std::min(left, slice))) {
            case TcpSocket::Wait::Readable:
                return Outcome::Readable;
            case TcpSocket::Wait::Failed:
                return Outcome::Failed;
            case TcpSocket::Wait::TimedOut:
                if (stop.load()) {
                    return Outcome::Stopped;
                }
        }
    }
}

}  // namespace

int readHeader(TcpSocket& socket, HeaderReader& reader, const std::atomic<bool>& stop,
               WaitLimits limits) {
    const auto deadline = Clock::now() + limits.total;
    std::array<char, 1024> chunk{};
    for (;;) {
        switch (waitForData(socket, deadline, limits.slice, stop)) {
            case Outcome::Readable:
                break;
            case Outcome::Stopped:
                return kStoppedOrBufferFull;
            case Outcome::TimedOut:
                return kTimedOut;
            case Outcome::Failed:
                return kSendFailed;
        }
        const std::ptrdiff_t n = socket.receive(chunk);
        if (n <= 0) {
            return kNoInformation;  // closed (or broken) before the header's end
        }
        const auto state = reader.feed(std::span(chunk).first(static_cast<std::size_t>(n)), stop);
        if (state == HeaderReader::State::Done) {
            return 1;
        }
        if (state == HeaderReader::State::Failed) {
            return reader.failure();
        }
    }
}

int readBody(TcpSocket& socket, std::vector<char>& body, std::int64_t contentLength,
             const std::atomic<bool>& stop, WaitLimits limits) {
    const auto deadline = Clock::now() + limits.total;
    const auto complete = [&] {
        return contentLength > 0 && static_cast<std::int64_t>(body.size()) >= contentLength;
    };
    while (!complete()) {
        if (stop.load()) {
            return kStoppedInBody;
        }
        switch (waitForData(socket, deadline, limits.slice, stop)) {
            case Outcome::Readable:
                break;
            case Outcome::Stopped:
                return kStoppedInBody;
            case Outcome::TimedOut:
                return kTimedOut;
            case Outcome::Failed:
                return kNoInformation;
        }
        const std::size_t fill = body.size();
        if (fill >= kBodyBufferSize) {
            return kStoppedOrBufferFull;
        }
        // Bytes past the content length are not body: never ask for them.
        std::size_t want = kBodyBufferSize - fill;
        if (contentLength > 0) {
            want = std::min(
                want, static_cast<std::size_t>(contentLength - static_cast<std::int64_t>(fill)));
        }
        body.resize(fill + want);
        const std::ptrdiff_t n = socket.receive(std::span(body).subspan(fill));
        body.resize(fill + static_cast<std::size_t>(std::max<std::ptrdiff_t>(n, 0)));
        if (stop.load()) {
            return kStoppedInBody;
        }
        if (n <= 0) {
            // Without a length, the server's close ends the body; an error never does.
            return contentLength == 0 && n == 0 ? 1 : kSendFailed;
        }
    }
    return 1;
}

}  // namespace lh::update

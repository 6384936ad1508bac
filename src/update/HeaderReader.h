#pragma once

#include <atomic>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "update/HeaderLine.h"
#include "update/HttpResponse.h"

namespace lh::update {

inline constexpr std::size_t kMaxHeaderLine = 1023;        // longer lines are cut, the rest dropped
inline constexpr std::size_t kMaxHeaderBytes = 64 * 1024;  // a longer header is refused
inline constexpr std::size_t kBodyBufferSize = 16384;

// Reads a response header from the bytes as they arrive, in chunks of any size: lines end at
// CR LF, even when a chunk ends between the two; each line is cut, trimmed and parsed. The
// socket loop only waits and receives; everything else happens here.
class HeaderReader {
public:
    enum class State { NeedMore, Done, Failed };

    explicit HeaderReader(RequestTarget target, std::size_t maxHeaderBytes = kMaxHeaderBytes);

    // Takes the next received bytes. `stop` is checked before each line (set: Failed with
    // kStoppedOrBufferFull). Once Done, the bytes after the empty line are in body(); once Done or
    // Failed, later calls change nothing.
    State feed(std::span<const char> bytes, const std::atomic<bool>& stop);

    State state() const { return m_state; }
    // The result code when Failed.
    int failure() const { return m_failure; }
    const HttpResponse& response() const { return m_response; }
    // The body bytes that came with the header, at most kBodyBufferSize.
    const std::vector<char>& body() const { return m_body; }

private:
    // Ends the line collected so far: the empty line ends the header.
    void endLine(const std::atomic<bool>& stop);
    void fail(int code);

    RequestTarget m_target;
    std::size_t m_maxHeaderBytes;
    State m_state = State::NeedMore;
    int m_failure = 0;
    HttpResponse m_response;
    std::vector<char> m_body;
    std::string m_line;      // the current line, at most kMaxHeaderLine characters
    bool m_afterCr = false;  // the last byte seen was a CR that may start a line end
    std::size_t m_headerBytes = 0;
};

}  // namespace lh::update

#include "update/HeaderReader.h"

#include <algorithm>

#include "text/Trim.h"

namespace lh::update {

HeaderReader::HeaderReader(RequestTarget target, std::size_t maxHeaderBytes)
    : m_target(std::move(target)), m_maxHeaderBytes(maxHeaderBytes) {}

HeaderReader::State HeaderReader::feed(std::span<const char> bytes, const std::atomic<bool>& stop) {
    if (m_state != State::NeedMore) {
        return m_state;
    }
    std::size_t i = 0;
    while (m_state == State::NeedMore && i < bytes.size()) {
        const char c = bytes[i++];
        if (++m_headerBytes > m_maxHeaderBytes) {
            fail(kNoInformation);
            break;
        }
        const bool lineEnds = m_afterCr && c == '\n';
        if (m_afterCr && !lineEnds && m_line.size() < kMaxHeaderLine) {
            m_line.push_back('\r');  // a CR alone is part of the line
        }
        m_afterCr = c == '\r';
        if (lineEnds) {
            endLine(stop);
        } else if (!m_afterCr && m_line.size() < kMaxHeaderLine) {
            m_line.push_back(c);
        }
    }
    if (m_state == State::Done) {
        const std::size_t take = std::min(bytes.size() - i, kBodyBufferSize);
        m_body.assign(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                      bytes.begin() + static_cast<std::ptrdiff_t>(i + take));
    }
    return m_state;
}

void HeaderReader::endLine(const std::atomic<bool>& stop) {
    if (stop.load()) {
        fail(kStoppedOrBufferFull);
        return;
    }
    const std::string_view line = text::trimBlanks(m_line);
    if (line.empty()) {
        m_state = State::Done;
        return;
    }
    const int result = parseHeaderLine(line, m_response, m_target);
    m_line.clear();
    if (result < 0) {
        fail(result);
    }
}

void HeaderReader::fail(int code) {
    m_state = State::Failed;
    m_failure = code;
}

}  // namespace lh::update

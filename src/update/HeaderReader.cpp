#include "update/HeaderReader.h"

namespace lh::update {
// Placeholder until the reader lands.
HeaderReader::HeaderReader(RequestTarget target, std::size_t maxHeaderBytes)
    : m_target(std::move(target)), m_maxHeaderBytes(maxHeaderBytes) {}
HeaderReader::State HeaderReader::feed(std::span<const char>, const std::atomic<bool>&) {
    m_state = State::Failed;
    return m_state;
}
}  // namespace lh::update

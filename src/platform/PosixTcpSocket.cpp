#include "platform/TcpSocket.h"

namespace lh::platform {
// Placeholder until the socket layer lands.
TcpConnect connectTcp(const std::string&, std::uint16_t, const std::atomic<bool>&,
                      std::chrono::milliseconds, std::chrono::milliseconds) {
    return {};
}
}  // namespace lh::platform

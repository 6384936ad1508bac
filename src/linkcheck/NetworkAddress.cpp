#include "linkcheck/NetworkAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/Ascii.h"

namespace lh::linkcheck {

namespace {

bool isPrivateV4(std::uint32_t a) {
    struct Range {
        std::uint32_t base;
        int bits;
    };
    static constexpr std::array<Range, 12> kRanges{{
        {0x00000000, 8},   // "this network"
        {0x0A000000, 8},   // private
        {0x64400000, 10},  // shared (carrier-grade NAT)
        {0x7F000000, 8},   // loopback
        {0xA9FE0000, 16},  // link-local
        {0xAC100000, 12},  // private
        {0xC0000000, 24},  // protocol assignments
        {0xC0000200, 24},  // documentation
        {0xC0A80000, 16},  // private
        {0xC6120000, 15},  // benchmarking
        {0xE0000000, 4},   // multicast
        {0xF0000000, 4},   // reserved and broadcast
    }};
    for (const Range& r : kRanges) {
        const std::uint32_t mask = ~std::uint32_t{0} << (32 - r.bits);
        if ((a & mask) == r.base) {
            return true;
        }
    }
    return false;
}

bool isPrivateV6(const std::uint8_t* b) {
    static constexpr std::array<std::uint8_t, 12> kMapped{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    if (std::memcmp(b, kMapped.data(), kMapped.size()) == 0) {
        return isPrivateV4(std::uint32_t{b[12]} << 24 | std::uint32_t{b[13]} << 16 |
                           std::uint32_t{b[14]} << 8 | b[15]);
    }
    bool zeroUpTo15 = true;
    for (int i = 0; i < 15; ++i) {
        zeroUpTo15 = zeroUpTo15 && b[i] == 0;
    }
    if (zeroUpTo15 && b[15] <= 1) {
        return true;  // :: and ::1
    }
    return (b[0] & 0xFE) == 0xFC                       // unique-local fc00::/7
           || (b[0] == 0xFE && (b[1] & 0xC0) == 0x80)  // link-local fe80::/10
           || b[0] == 0xFF                             // multicast
           || (b[0] == 0x20 && b[1] == 0x01 && b[2] == 0x0D && b[3] == 0xB8);  // documentation
}

}  // namespace

bool isPrivateAddress(const sockaddr* address) {
    if (address->sa_family == AF_INET) {
        sockaddr_in v4;
        std::memcpy(&v4, address, sizeof v4);
        return isPrivateV4(ntohl(v4.sin_addr.s_addr));
    }
    if (address->sa_family == AF_INET6) {
        sockaddr_in6 v6;
        std::memcpy(&v6, address, sizeof v6);
        return isPrivateV6(v6.sin6_addr.s6_addr);
    }
    return true;
}

bool isLocalHost(std::string_view host) {
    std::string name = text::toLowerAscii(host);
    while (name.ends_with('.')) {
        name.pop_back();
    }
    if (name == "localhost" || name.ends_with(".localhost")) {
        return true;
    }
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') {
        name = name.substr(1, name.size() - 2);
    }
    sockaddr_in v4{};
    if (::inet_pton(AF_INET, name.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        return isPrivateAddress(reinterpret_cast<const sockaddr*>(&v4));
    }
    sockaddr_in6 v6{};
    if (::inet_pton(AF_INET6, name.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        return isPrivateAddress(reinterpret_cast<const sockaddr*>(&v6));
    }
    return false;
}

}  // namespace lh::linkcheck

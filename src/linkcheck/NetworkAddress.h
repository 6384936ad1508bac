#pragma once

#include <string_view>

struct sockaddr;

namespace lh::linkcheck {

// Whether a connection to `address` (IPv4 or IPv6) would reach this machine or a private
// network: loopback, private and shared ranges, link-local, unique-local, multicast,
// unspecified and reserved addresses, also inside IPv4-mapped IPv6 addresses. Anything that is
// not IPv4 or IPv6 counts as local.
bool isPrivateAddress(const sockaddr* address);

// Whether the host part of an address names this machine or a private network without asking
// a name server: "localhost" and its sub-names, and literal private addresses ("10.0.0.1",
// "[::1]").
bool isLocalHost(std::string_view host);

}  // namespace lh::linkcheck

#include "update/UpdateServer.h"

#include <algorithm>

#include "text/Ascii.h"

namespace lh::update {

namespace {

constexpr bool isAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Labels of letters, digits and inner hyphens, 1 to 63 characters, joined by single dots.
bool isHostName(std::string_view host) {
    if (host.empty() || host.size() > 253) {
        return false;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = std::min(host.find('.', start), host.size());
        const std::string_view label = host.substr(start, dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
            !std::all_of(label.begin(), label.end(),
                         [](char c) { return isAlnum(c) || c == '-'; })) {
            return false;
        }
        if (dot == host.size()) {
            return true;
        }
        start = dot + 1;
    }
}

// "[" IPv6 address "]": hex digits, colons and the dots of an embedded IPv4 tail; no zone. The
// resolver judges the rest.
bool isBracketedIpv6(std::string_view host) {
    if (host.size() < 4 || host.front() != '[' || host.back() != ']') {
        return false;
    }
    const std::string_view inner = host.substr(1, host.size() - 2);
    return std::count(inner.begin(), inner.end(), ':') >= 2 &&
           std::all_of(inner.begin(), inner.end(),
                       [](char c) { return isHex(c) || c == ':' || c == '.'; });
}

std::optional<std::uint16_t> parsePort(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    unsigned port = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        port = port * 10 + static_cast<unsigned>(c - '0');
    }
    if (port == 0 || port > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(port);
}

}  // namespace

std::string UpdateServer::hostText() const {
    return port == 80 ? host : host + ":" + std::to_string(port);
}

UpdateServer defaultUpdateServer() {
    return {"example.org", 80};
}

std::optional<UpdateServer> parseUpdateUrl(std::string_view url) {
    constexpr std::string_view scheme = "http://";
    if (url.size() < scheme.size() ||
        !text::equalsIgnoringAsciiCase(url.substr(0, scheme.size()), scheme)) {
        return std::nullopt;
    }
    const std::string_view authority = url.substr(scheme.size());
    // The port's colon is the last one after a bracketed literal's "]".
    const std::size_t close = authority.rfind(']');
    const std::size_t colon = authority.find(':', close == std::string_view::npos ? 0 : close);
    UpdateServer server{std::string(authority.substr(0, colon)), 80};
    if (colon != std::string_view::npos) {
        const auto port = parsePort(authority.substr(colon + 1));
        if (!port) {
            return std::nullopt;
        }
        server.port = *port;
    }
    if (!isUsableServer(server)) {
        return std::nullopt;
    }
    return server;
}

bool isUsableServer(const UpdateServer& server) {
    return server.port != 0 && (isHostName(server.host) || isBracketedIpv6(server.host)) &&
           server.hostText().size() <= kMaxHostText;
}

std::optional<UpdateServer> chooseUpdateServer(const char* overrideUrl) {
    if (overrideUrl == nullptr) {
        return defaultUpdateServer();
    }
    return parseUpdateUrl(overrideUrl);
}

}  // namespace lh::update

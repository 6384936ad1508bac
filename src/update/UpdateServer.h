#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lh::update {

// Where the update check asks: a host name or a bracketed IPv6 literal ("[::1]"), and a port.
struct UpdateServer {
    std::string host;
    std::uint16_t port = 80;

    // The text of the Host and Referer headers: the host, with ":PORT" when the port is not 80.
    std::string hostText() const;
    bool operator==(const UpdateServer&) const = default;
};

// Our own update server.
UpdateServer defaultUpdateServer();

// Reads "http://HOST[:PORT]" and nothing else (no path, user, query or other scheme). Refused:
// a host that is neither a host name nor a bracketed IPv6 literal, a port outside 1-65535, and a
// host text over kMaxHostText characters (the request must fit its fixed buffer).
std::optional<UpdateServer> parseUpdateUrl(std::string_view url);
inline constexpr std::size_t kMaxHostText = 43;

// Whether `server` may be asked at all (the rules of parseUpdateUrl).
bool isUsableServer(const UpdateServer& server);

// The server to ask: the override given (the LINKHAVEN_UPDATE_URL variable's value, null when it
// is not set), else ours. An override that parseUpdateUrl refuses gives nothing: the check then
// fails instead of asking another server than the user meant.
std::optional<UpdateServer> chooseUpdateServer(const char* overrideUrl);
inline constexpr const char* kUpdateUrlVariable = "LINKHAVEN_UPDATE_URL";

}  // namespace lh::update

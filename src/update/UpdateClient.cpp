#include "update/UpdateClient.h"

#include "update/HttpExchange.h"
#include "update/HttpResponse.h"
#include "update/UpdateRequest.h"
#include "update/VersionTest.h"

namespace lh::update {

namespace {

// The host as the resolver takes it: an IPv6 literal without its brackets.
std::string resolverHost(const std::string& host) {
    return host.size() > 2 && host.front() == '[' ? host.substr(1, host.size() - 2) : host;
}

// Only the first `contentLength` bytes are body (all when it is 0).
int judge(const std::vector<char>& body, std::int64_t contentLength) {
    std::span<const char> bytes(body);
    if (contentLength > 0 && static_cast<std::int64_t>(bytes.size()) > contentLength) {
        bytes = bytes.first(static_cast<std::size_t>(contentLength));
    }
    return versionTest(bytes);
}

}  // namespace

int fetchUpdateInfo(const UpdateServer& server, const std::atomic<bool>& stop,
                    const FetchLimits& limits) {
    if (!isUsableServer(server)) {
        return kNoInformation;
    }
    const auto connection = platform::connectTcp(resolverHost(server.host), server.port, stop,
                                                 limits.connect, limits.slice);
    if (connection.stopped) {
        return kStoppedOrBufferFull;
    }
    if (!connection.socket) {
        return kNoInformation;
    }
    platform::TcpSocket& socket = *connection.socket;
    const std::string hostText = server.hostText();
    if (!socket.sendAll(buildUpdateRequest(hostText))) {
        return kSendFailed;
    }
    HeaderReader reader(RequestTarget{hostText}, limits.maxHeaderBytes);
    const int header = readHeader(socket, reader, stop, {limits.header, limits.slice});
    if (header < 1) {
        return header;
    }
    const HttpResponse& response = reader.response();
    if (response.status != 200) {
        return kSendFailed;  // a redirect is not followed
    }
    if (response.chunked) {
        return kNoInformation;  // chunked bodies are not decoded
    }
    std::vector<char> body = reader.body();
    if (response.contentLength == 0 ||
        static_cast<std::int64_t>(body.size()) < response.contentLength) {
        const int result =
            readBody(socket, body, response.contentLength, stop, {limits.body, limits.slice});
        if (result != 1) {
            return result;
        }
    }
    return judge(body, response.contentLength);
}

}  // namespace lh::update

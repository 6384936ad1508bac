#pragma once

#include <cstdint>
#include <string>

namespace lh::update {

// What the update client learns from a response header.
struct HttpResponse {
    std::uint8_t versionMajor = 0;  // from the status line, saturated at 255
    std::uint8_t versionMinor = 0;
    std::int32_t status = 0;         // saturated, never negative
    std::int64_t contentLength = 0;  // 0 when the header has none; never negative
    bool chunked = false;            // "transfer-encoding" names "chunked"
    std::string location;            // made absolute; parsed, never followed
    std::string cookie;              // parsed, never used

    bool operator==(const HttpResponse&) const = default;
};

// The result codes of a check. 7 and 6 come from the version test; every other value is a
// failure.
enum FetchResult : int {
    kNewerVersion = 7,
    kLatestVersion = 6,
    kNoInformation = 0,  // no connection, socket or protocol failure, too short a body
    kSendFailed = -1,    // also: a status other than 200, a body cut short
    kStoppedInBody = -6,
    kStoppedOrBufferFull = -7,  // stopped while connecting or in the header; the body buffer full
    kTimedOut = -9,
    kBadLocation = -10,
};

}  // namespace lh::update

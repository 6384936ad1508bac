#include "update/HeaderLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace lh::update {
namespace {

const RequestTarget kTarget{"host.test:8080"};

HttpResponse parsed(std::string_view line, int expectedResult = 0) {
    HttpResponse response;
    EXPECT_EQ(parseHeaderLine(line, response, kTarget), expectedResult) << line;
    return response;
}

TEST(HeaderLineTest, StatusLineGivesVersionAndStatusFromTheSixthCharacter) {
    constexpr std::int32_t kMaxStatus = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(parsed("HTTP/1.1 200 OK"), (HttpResponse{1, 1, 200, 0, false, "", ""}));
    EXPECT_EQ(parsed("http/1.0 302").status, 302);
    EXPECT_EQ(parsed("HTTP/"), HttpResponse{});  // too short: empty values
    EXPECT_EQ(parsed("HTTP/999.7 99999999999999999999999 Big"),
              (HttpResponse{255, 7, kMaxStatus, 0, false, "", ""}));
    EXPECT_EQ(parsed("HTTP/1.1  200 OK").status, 0);  // each non-digit ends a number
    EXPECT_EQ(parsed("Server 200 OK").status, 0);     // no "http/": not a status line
}

TEST(HeaderLineTest, NamesAreFoundBySubstringInTheTableAndTheirValuesRead) {
    EXPECT_EQ(parsed("Content-Length: 12").contentLength, 12);
    EXPECT_EQ(parsed("LENGTH: 34").contentLength, 34);  // part of "content-length"
    EXPECT_EQ(parsed("Content-Length: -5").contentLength, 0);
    EXPECT_EQ(parsed("Content-Length: 99999999999999999999").contentLength,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parsed("X-Content-Length: 12").contentLength, 0);  // not in the table
    EXPECT_EQ(parsed("h: 12").location, "");                     // "h" of "http" has no code
    EXPECT_EQ(parsed("1: /somewhere").location, "");             // a code, not a name
    EXPECT_EQ(parsed("content-disposition: x; length: 9").contentLength, 0);  // code 8
    EXPECT_EQ(parsed("Set-Cookie: id=5; path=/").cookie, "id=5");
    EXPECT_EQ(parsed("Set-Cookie").cookie, "");
    EXPECT_EQ(parsed("Content-Range: bytes 0-99/1000").contentLength, 100);
    EXPECT_EQ(parsed("Content-Range: bytes 10-10/1000").contentLength, 1);
    EXPECT_EQ(parsed("Content-Range: bytes 99-0/1000").contentLength, 0);
    EXPECT_EQ(parsed("Content-Range: bytes */1000").contentLength, 0);
    EXPECT_EQ(parsed("Content-Range: bytes 0-99999999999999999999/*").contentLength,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(parsed("Transfer-Encoding: gzip, CHUNKED", 1).chunked);
    EXPECT_FALSE(parsed("Transfer-Encoding: gzip", 1).chunked);
    EXPECT_FALSE(parsed("Transfer-Encoding:", 0).chunked);
}

TEST(HeaderLineTest, LocationIsMadeAbsoluteOrRefused) {
    EXPECT_EQ(parsed("Location: /", kBadLocation).location, "");
    EXPECT_EQ(parsed("Location: /new/file").location, "Http://host.test:8080/new/file");
    EXPECT_EQ(parsed("Location: ./file").location, "Http://host.test:8080/images/./file");
    EXPECT_EQ(parsed("Location: file.ini").location, "Http://host.test:8080/images/file.ini");
    EXPECT_EQ(parsed("location:   https://Other.test/x").location, "https://Other.test/x");
}

}  // namespace
}  // namespace lh::update

#include "update/HeaderReader.h"

#include <gtest/gtest.h>

#include <string>

namespace lh::update {
namespace {

const std::atomic<bool> kGo{false};

const std::string kResponse =
    "HTTP/1.1 200 OK\r\n"
    "Content-Length: 8\r\n"
    "Location: /moved\r\n"
    "Set-Cookie: a=b\r\n"
    "  \r\n"
    "ver=1.01";

struct Outcome {
    HeaderReader::State state;
    HttpResponse response;
    std::string body;
};

// Feeds `bytes` in pieces cut at `cuts` (ascending offsets).
Outcome read(const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
    HeaderReader reader(RequestTarget{"h"});
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        reader.feed(std::span(bytes).subspan(from, cut - from), kGo);
        from = cut;
    }
    reader.feed(std::span(bytes).subspan(from), kGo);
    return {reader.state(), reader.response(),
            std::string(reader.body().begin(), reader.body().end())};
}

TEST(HeaderReaderTest, EverySplitGivesTheSameRecord) {
    const Outcome whole = read(kResponse);
    ASSERT_EQ(whole.state, HeaderReader::State::Done);
    EXPECT_EQ(whole.response, (HttpResponse{1, 1, 200, 8, false, "Http://h/moved", "a=b"}));
    EXPECT_EQ(whole.body, "ver=1.01");  // the line of blanks ended the header
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 1; cut < kResponse.size(); ++cut) {
        const Outcome split = read(kResponse, {cut});
        EXPECT_EQ(split.response, whole.response) << "cut at " << cut;
        EXPECT_EQ(split.state, HeaderReader::State::Done);
        everyByte.push_back(cut);
    }
    const Outcome bytes = read(kResponse, everyByte);
    EXPECT_EQ(bytes.response, whole.response);
    EXPECT_TRUE(bytes.body.empty());  // the header ended in a piece of its own
    // Once done, more bytes change nothing: the rest of the body is read elsewhere.
    const Outcome twoPieces = read(kResponse + "later", {kResponse.size() - 3});
    EXPECT_EQ(twoPieces.body, "ver=1");
}

TEST(HeaderReaderTest, LongLinesAreCutAndTheRestDropped) {
    // 1500 characters; the part after the cut would set a length if read as a line of its own.
    std::string line = "Location: http://x/" + std::string(kMaxHeaderLine - 19, 'a');
    line += "Content-Length: 9 ";
    line.resize(1500, 'b');
    const std::string bytes = "HTTP/1.1 200 OK\r\n" + line + "\r\n\r\n";
    for (const std::vector<std::size_t>& cuts :
         {std::vector<std::size_t>{}, std::vector<std::size_t>{100, 1000, 1100, 1400}}) {
        const Outcome outcome = read(bytes, cuts);
        ASSERT_EQ(outcome.state, HeaderReader::State::Done);
        EXPECT_EQ(outcome.response.location, line.substr(10, kMaxHeaderLine - 10));
        EXPECT_EQ(outcome.response.contentLength, 0);
    }
}

TEST(HeaderReaderTest, StopsAndEndsLinesOnlyAtCrLf) {
    // A lone CR or LF does not end a line.
    const Outcome bare = read("HTTP/1.1 200 OK\nContent-Length: 3\r\r\n\r\nabc");
    EXPECT_EQ(bare.response.status, 0);
    EXPECT_EQ(bare.body, "abc");

    HeaderReader stopped(RequestTarget{"h"});
    const std::atomic<bool> stop{true};
    EXPECT_EQ(stopped.feed(std::span(kResponse), stop), HeaderReader::State::Failed);
    EXPECT_EQ(stopped.failure(), kStoppedOrBufferFull);
    EXPECT_EQ(stopped.response().status, 0);  // stopped before the first line
}

}  // namespace
}  // namespace lh::update

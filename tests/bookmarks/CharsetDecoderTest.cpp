#include "bookmarks/CharsetDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace lh::bookmarks {
namespace {

// All of `bytes` decoded in chunks of `chunk` bytes.
std::string decodeAll(CharsetDecoder& decoder, std::string_view bytes, std::size_t chunk) {
    std::string all, piece;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t next = decoder.decode(bytes, pos, chunk, piece);
        EXPECT_GT(next, pos);
        pos = next;
        all += piece;
    }
    return all;
}

TEST(CharsetDecoderTest, ReadsCharactersWholeHoweverTheChunksFall) {
    // "あいう abc" in Shift_JIS; in ISO-2022-JP, where escapes switch the state between chunks;
    // and 40 "あ" in Shift_JIS, longer than a chunk and the bytes a split character may reach.
    const std::string aiu = "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86 abc";
    std::string manyA, manyA8;
    for (int i = 0; i < 40; ++i) {
        manyA += "\x82\xA0";
        manyA8 += "\xE3\x81\x82";
    }
    const std::tuple<const char*, std::string, std::string> texts[] = {
        {"Shift_JIS", "\x82\xA0\x82\xA2\x82\xA4 abc", aiu},
        {"ISO-2022-JP", "\x1B$B$\"$$$&\x1B(B abc", aiu},
        {"Shift_JIS", manyA, manyA8},
    };
    for (const auto& [charset, bytes, expected] : texts) {
        for (std::size_t chunk = 1; chunk <= bytes.size(); ++chunk) {
            CharsetDecoder decoder(charset);
            ASSERT_TRUE(decoder.ok()) << charset;
            EXPECT_EQ(decodeAll(decoder, bytes, chunk), expected) << charset << " " << chunk;
        }
    }
}

TEST(CharsetDecoderTest, TurnsWhatIsNoTextIntoReplacementCharactersAndRefusesUnknownNames) {
    CharsetDecoder sjis("Shift_JIS");
    // A byte no character starts with, a lead byte before "A", and one cut off by the end.
    const std::string bytes =
        "\xFF"
        "a\x82"
        "A\x82\xA0\x82";
    for (std::size_t chunk : {1u, 3u, 100u}) {
        EXPECT_EQ(decodeAll(sjis, bytes, chunk),
                  "\xEF\xBF\xBD"
                  "a\xEF\xBF\xBD"
                  "A\xE3\x81\x82\xEF\xBF\xBD")
            << chunk;
    }
    EXPECT_FALSE(CharsetDecoder("x-no-such-charset").ok());
}

}  // namespace
}  // namespace lh::bookmarks

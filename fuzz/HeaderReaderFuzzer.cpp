// Feeds a response to the chunk-fed header reader whole and cut at points the fuzzer chooses
// (the first byte's bits, as gaps): both must give the same state, record and body.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "update/HeaderReader.h"

namespace {

lh::update::HeaderReader readCut(std::span<const char> bytes, std::uint8_t cuts) {
    const std::atomic<bool> go{false};
    lh::update::HeaderReader reader(lh::update::RequestTarget{"h"}, 4096);
    std::size_t gap = (cuts & 0x0F) + 1;
    while (!bytes.empty()) {
        const std::size_t take = std::min(gap, bytes.size());
        reader.feed(bytes.first(take), go);
        bytes = bytes.subspan(take);
        gap = gap * ((cuts >> 4) + 1) % 97 + 1;
    }
    return reader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::span<const char> bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::atomic<bool> go{false};
    lh::update::HeaderReader whole(lh::update::RequestTarget{"h"}, 4096);
    whole.feed(bytes, go);
    const lh::update::HeaderReader cut = readCut(bytes, data[0]);
    if (cut.state() != whole.state() || cut.response() != whole.response()) {
        std::abort();
    }
    // The body is what came with the piece that ended the header: the start of the whole one.
    const auto& a = whole.body();
    const auto& b = cut.body();
    if (b.size() > a.size() || !std::equal(b.begin(), b.end(), a.begin())) {
        std::abort();
    }
    if (whole.state() == lh::update::HeaderReader::State::Failed && whole.failure() > 0) {
        std::abort();
    }
    return 0;
}

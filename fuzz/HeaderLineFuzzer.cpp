// Feeds arbitrary text to the header-line parser: it never fails but with an unusable location,
// and the numbers it stores are never negative.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "update/HeaderLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    lh::update::HttpResponse response;
    const int result = lh::update::parseHeaderLine(line, response, {"host.test:8080"});
    if (result < 0 && result != lh::update::kBadLocation) {
        std::abort();
    }
    if (result > 1 || response.status < 0 || response.contentLength < 0) {
        std::abort();
    }
    return 0;
}

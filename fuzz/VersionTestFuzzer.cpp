// Feeds arbitrary bytes to the version test: the answer is always one of its three codes, and
// never an answer for a body that does not start with "ver=" and eight bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "update/HttpResponse.h"
#include "update/VersionTest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const char> body(reinterpret_cast<const char*>(data), size);
    const int result = lh::update::versionTest(body);
    if (result != lh::update::kNoInformation && result != lh::update::kLatestVersion &&
        result != lh::update::kNewerVersion) {
        std::abort();
    }
    if (result != lh::update::kNoInformation &&
        (size < 8 || std::string_view(body.data(), 4) != "ver=")) {
        std::abort();
    }
    return 0;
}

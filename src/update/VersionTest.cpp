#include "update/VersionTest.h"

#include "update/HttpResponse.h"

namespace lh::update {
// Placeholder until the test lands.
int versionTest(std::span<const char>) {
    return kNoInformation;
}
}  // namespace lh::update

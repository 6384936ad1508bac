#include "update/UpdateClient.h"

#include "update/HttpResponse.h"

namespace lh::update {
// Placeholder until the client lands.
int fetchUpdateInfo(const UpdateServer&, const std::atomic<bool>&, const FetchLimits&) {
    return kNoInformation;
}
}  // namespace lh::update

#include "linkcheck/LinkChecker.h"

// Placeholder until the libcurl checker lands: every link is reported as an error.
namespace lh::linkcheck {

void checkLinks(std::span<const LinkTarget> targets, const CheckOptions&,
                const ResultSink& onResult, const std::atomic<bool>& stop) {
    for (std::size_t i = 0; i < targets.size() && !stop; ++i) {
        LinkResult result;
        result.index = i;
        result.itemId = targets[i].itemId;
        result.address = targets[i].address;
        result.reason = "not built yet";
        onResult(result);
    }
}

std::unique_ptr<LinkCheckRun> makeThreadRun() {
    return nullptr;
}

}  // namespace lh::linkcheck

#include "update/UpdateWorker.h"

namespace lh::update {
// Placeholder until the worker lands.
std::unique_ptr<UpdateRunner> makeThreadRunner(std::function<int(const std::atomic<bool>&)>) {
    return nullptr;
}
}  // namespace lh::update

#pragma once

#include <string>
#include <vector>

namespace lh::platform {

// Starts `program` (looked up in PATH when it has no slash) with `arguments`, in a session of its
// own so that it outlives us, without a shell and without waiting for it. False when it could not
// be started.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace lh::platform

#pragma once

#include <chrono>
#include <string>

namespace lh::platform {

// Removes the temporary files that saves of `target` (links followed) left beside it when the
// program died during the save: those named like AtomicFile's, regular files, last written at
// least `minimumAge` ago and not locked by a save still running. Gives how many were removed.
// A file that cannot be examined, locked or removed is left alone.
int removeStaleSaves(const std::string& target, std::chrono::seconds minimumAge);

}  // namespace lh::platform

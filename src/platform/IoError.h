#pragma once

#include <string>
#include <utility>

namespace lh::platform {

// Why a file operation failed: the step that failed, the file it was working on and the
// system error number (0 when the failure was not a system call's, e.g. a refused format).
struct IoError {
    IoError() = default;
    IoError(std::string step_, std::string path_, int systemError_, std::string detail_ = {})
        : step(std::move(step_)),
          path(std::move(path_)),
          systemError(systemError_),
          detail(std::move(detail_)) {}

    std::string step;
    std::string path;
    int systemError = 0;
    std::string detail;  // what was wrong when it was not a system error

    bool failed() const { return !step.empty(); }
    // "step 'path': reason", e.g. "rename '/home/a/Default.lhd': Permission denied".
    std::string message() const;
    // The same in words a user reads, without the step: "'path' does not exist", "'path' is a
    // folder, not a file", "'path': Permission denied", "'path': <detail>".
    std::string userMessage() const;
};

}  // namespace lh::platform

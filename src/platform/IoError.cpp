#include "platform/IoError.h"

#include <cerrno>
#include <cstring>

namespace lh::platform {

std::string IoError::message() const {
    if (!failed()) {
        return {};
    }
    std::string text = step + " '" + path + "'";
    if (systemError != 0) {
        text += ": ";
        text += std::strerror(systemError);
    } else if (!detail.empty()) {
        text += ": " + detail;
    }
    return text;
}

std::string IoError::userMessage() const {
    if (!failed()) {
        return {};
    }
    const std::string quoted = "'" + path + "'";
    switch (systemError) {
        case ENOENT:
        case ENOTDIR:
            return quoted + " does not exist";
        case EISDIR:
            return quoted + " is a folder, not a file";
        case 0:
            return detail.empty() ? quoted + " cannot be used" : quoted + ": " + detail;
        default:
            return quoted + ": " + std::strerror(systemError);
    }
}

}  // namespace lh::platform

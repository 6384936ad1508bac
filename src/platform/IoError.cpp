#include "platform/IoError.h"

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

}  // namespace lh::platform

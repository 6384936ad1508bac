#include "text/StoredAddress.h"

namespace lh::text {

std::optional<std::string_view> storedAddressProblem(std::string_view address) {
    if (address.starts_with('-')) {
        return kAddressDashMessage;
    }
    if (address.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) {
        return kAddressControlMessage;
    }
    if (address.size() > kAddressMaxBytes) {
        return kAddressTooLongMessage;
    }
    return std::nullopt;
}

}  // namespace lh::text

#pragma once

#include "text/StoredAddress.h"

// The rule lives with the texts so that the link checker, which knows no items, keeps to it too.
namespace lh::items {

using text::kAddressControlMessage;
using text::kAddressDashMessage;
using text::kAddressMaxBytes;
using text::kAddressTooLongMessage;
using text::storedAddressProblem;

}  // namespace lh::items

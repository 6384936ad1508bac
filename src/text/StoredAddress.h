#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lh::text {

// The longest address a link keeps, in bytes.
inline constexpr std::size_t kAddressMaxBytes = 2000;

inline constexpr std::string_view kAddressDashMessage = "The address cannot begin with \"-\".";
inline constexpr std::string_view kAddressControlMessage =
    "The address cannot hold line breaks or NUL characters.";
inline constexpr std::string_view kAddressTooLongMessage =
    "The address is longer than 2000 characters.";

// Why `address` (already trimmed) may not be stored as a link's address, or nothing when it may.
// One rule for every way in (the dialogs, a drop, the command line, a checked link's new
// address), so that no stored address can later be read by a browser as an option or split into
// two lines.
std::optional<std::string_view> storedAddressProblem(std::string_view address);

}  // namespace lh::text

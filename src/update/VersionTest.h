#pragma once

#include <span>

namespace lh::update {

// Judges the start of an update-information body: "ver=" and then four characters read as a
// decimal number ("1.01"). kNewerVersion when that number is above ours, kLatestVersion when it
// is not, kNoInformation when the body is shorter than 8 bytes, does not start with "ver=" or has
// no number there. Read by hand: the process locale may use a comma for the decimal point.
int versionTest(std::span<const char> body);

}  // namespace lh::update

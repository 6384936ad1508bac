#pragma once

#include <string>
#include <string_view>

namespace lh::platform {

// Where this user's data files belong: $XDG_DATA_HOME when it is an absolute path, otherwise
// ~/.local/share. Empty when not even the home folder is known.
std::string dataHomeFolder();

// The same rule over given values (empty for an unset variable), for tests.
std::string dataHomeFrom(std::string_view xdgDataHome, std::string_view home);

// The process's current folder; empty when it cannot be had.
std::string currentFolder();

}  // namespace lh::platform

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lh::platform {

// Where this user's data files belong: $XDG_DATA_HOME when it is an absolute path, otherwise
// ~/.local/share. Empty when not even the home folder is known.
std::string dataHomeFolder();

// The same rule over given values (empty for an unset variable), for tests.
std::string dataHomeFrom(std::string_view xdgDataHome, std::string_view home);

// The folders to look in for shared data such as desktop entries, most important first:
// dataHomeFolder(), then the absolute folders of $XDG_DATA_DIRS (/usr/local/share and /usr/share
// when it is unset or empty). Relative values are invalid and left out, as for dataHomeFolder().
std::vector<std::string> dataFolders();

// The same rule over given values (empty for an unset variable), for tests.
std::vector<std::string> dataFoldersFrom(std::string_view xdgDataHome, std::string_view home,
                                         std::string_view xdgDataDirs);

// The process's current folder; empty when it cannot be had.
std::string currentFolder();

}  // namespace lh::platform

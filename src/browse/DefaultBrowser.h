#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::browse {

// The desktop's default web browser as program and arguments (without the address): the program
// of the desktop entry that `xdg-settings get default-web-browser` names, else x-www-browser.
// Nothing when neither exists.
std::optional<std::vector<std::string>> findDefaultBrowser();

// The command of the desktop entry `desktopId` (e.g. "firefox-esr.desktop"), looked up in the
// "applications" folder of each of `dataFolders` in turn. Nothing when no entry has an Exec= line.
std::optional<std::vector<std::string>> desktopEntryCommand(
    std::string_view desktopId, const std::vector<std::string>& dataFolders);

// $XDG_DATA_HOME (or ~/.local/share) followed by $XDG_DATA_DIRS (or /usr/local/share, /usr/share).
std::vector<std::string> xdgDataFolders();

}  // namespace lh::browse

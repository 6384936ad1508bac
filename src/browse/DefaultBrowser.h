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

// findDefaultBrowser() once the desktop entry `desktopId` is known: its command, looked up in
// platform::dataFolders(), else x-www-browser; nothing when neither exists.
std::optional<std::vector<std::string>> defaultBrowserFor(std::string_view desktopId);

// The command of the desktop entry `desktopId` (e.g. "firefox-esr.desktop"), looked up in the
// "applications" folder of each of `dataFolders` in turn. Nothing when no entry has an Exec= line.
std::optional<std::vector<std::string>> desktopEntryCommand(
    std::string_view desktopId, const std::vector<std::string>& dataFolders);

}  // namespace lh::browse

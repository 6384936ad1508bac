#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsKey.h"

namespace lh::settings {

// Where the settings live: keys named by paths below the program's own key ("General",
// "DataFile", ...). The GUI gives QSettings; tests give memory.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    // Opens the key `path`, creating it when missing and `create` is set. Null when it is
    // missing (and not to be created) or cannot be opened.
    virtual std::unique_ptr<SettingsKey> openKey(std::string_view path, bool create) = 0;
    // A text value anywhere in the current user's store, outside the program's own key (e.g. the
    // shell's folder list); nothing where the platform has no such value.
    virtual std::optional<std::string> readUserString(std::string_view keyPath,
                                                      std::string_view name) = 0;
};

}  // namespace lh::settings

#pragma once

#include <memory>

#include <QSettings>

#include "settings/SettingsBackend.h"

namespace lh::gui {

// The settings store on QSettings: organisation "Linkhaven", application "Linkhaven" in the
// native format (the registry on Windows, an INI file under the XDG config folder on Linux).
// Keys are groups; number values are stored as unsigned integers, texts as strings, binary
// values as byte arrays.
class QtSettingsBackend final : public settings::SettingsBackend {
public:
    // The program's own settings.
    QtSettingsBackend();
    // Settings in the INI file `iniPath` (for tests and tools).
    explicit QtSettingsBackend(const QString& iniPath);

    std::unique_ptr<settings::SettingsKey> openKey(std::string_view path, bool create) override;
    // On Windows a value under HKEY_CURRENT_USER; on other platforms there is none.
    std::optional<std::string> readUserString(std::string_view keyPath,
                                              std::string_view name) override;

    // Writes pending changes to permanent storage (also done when a key is closed).
    void sync() { m_settings.sync(); }
    QSettings& settings() { return m_settings; }

private:
    QSettings m_settings;
};

}  // namespace lh::gui

#pragma once

#include <functional>
#include <string>

#include "commands/FileChooser.h"

namespace lh::settings {
class SettingsBackend;
}

namespace lh::commands {

// File dialogs that start where the user last chose in that dialog (told apart by its title,
// remembered in the settings under "FileDialogs"), else in the data file's folder, else in
// `homeFolder`; never in the process's working folder. A folder the caller names itself is kept.
// The dialogs themselves are `inner`'s.
class FolderMemoryChooser final : public FileChooser {
public:
    static constexpr const char* kSettingsKey = "FileDialogs";

    // `inner` and `settings` must outlive this object; `dataFile` gives the data file's path
    // (empty while there is none).
    FolderMemoryChooser(FileChooser& inner, settings::SettingsBackend& settings,
                        std::function<std::string()> dataFile, std::string homeFolder);

    std::optional<std::string> chooseFileToOpen(const Request& request) override;
    std::vector<std::string> chooseFilesToOpen(const Request& request) override;
    std::optional<std::string> chooseFileToSave(const Request& request) override;
    std::optional<std::string> chooseFolder(const Request& request) override;

    // Where a dialog titled `title` starts when its caller names no folder.
    std::string startFolder(const std::string& title) const;

private:
    Request placed(const Request& request) const;
    void remember(const std::string& title, const std::string& folder);
    void rememberFileFolder(const std::string& title, const std::string& file);

    FileChooser& m_inner;
    settings::SettingsBackend& m_settings;
    std::function<std::string()> m_dataFile;
    std::string m_homeFolder;
};

}  // namespace lh::commands

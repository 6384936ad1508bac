#include "commands/FolderMemoryChooser.h"

#include <filesystem>

#include "settings/SettingsBackend.h"

namespace lh::commands {

namespace {

std::string folderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace

FolderMemoryChooser::FolderMemoryChooser(FileChooser& inner, settings::SettingsBackend& settings,
                                         std::function<std::string()> dataFile,
                                         std::string homeFolder)
    : m_inner(inner),
      m_settings(settings),
      m_dataFile(std::move(dataFile)),
      m_homeFolder(std::move(homeFolder)) {}

std::string FolderMemoryChooser::startFolder(const std::string& title) const {
    if (auto key = m_settings.openKey(kSettingsKey, false)) {
        if (auto folder = key->readString(title); folder && !folder->empty()) {
            return *folder;
        }
    }
    const std::string dataFolder = folderOf(m_dataFile());
    return dataFolder.empty() ? m_homeFolder : dataFolder;
}

FileChooser::Request FolderMemoryChooser::placed(const Request& request) const {
    Request r = request;
    if (r.folder.empty()) {
        r.folder = startFolder(r.title);
    }
    return r;
}

void FolderMemoryChooser::remember(const std::string& title, const std::string& folder) {
    if (folder.empty()) {
        return;
    }
    if (auto key = m_settings.openKey(kSettingsKey, true)) {
        key->writeString(title, folder);
    }
}

void FolderMemoryChooser::rememberFileFolder(const std::string& title, const std::string& file) {
    remember(title, folderOf(file));
}

std::optional<std::string> FolderMemoryChooser::chooseFileToOpen(const Request& request) {
    auto chosen = m_inner.chooseFileToOpen(placed(request));
    if (chosen) {
        rememberFileFolder(request.title, *chosen);
    }
    return chosen;
}

std::vector<std::string> FolderMemoryChooser::chooseFilesToOpen(const Request& request) {
    auto chosen = m_inner.chooseFilesToOpen(placed(request));
    if (!chosen.empty()) {
        rememberFileFolder(request.title, chosen.front());
    }
    return chosen;
}

std::optional<std::string> FolderMemoryChooser::chooseFileToSave(const Request& request) {
    auto chosen = m_inner.chooseFileToSave(placed(request));
    if (chosen) {
        rememberFileFolder(request.title, *chosen);
    }
    return chosen;
}

std::optional<std::string> FolderMemoryChooser::chooseFolder(const Request& request) {
    auto chosen = m_inner.chooseFolder(placed(request));
    if (chosen) {
        remember(request.title, *chosen);
    }
    return chosen;
}

}  // namespace lh::commands

#pragma once

// The window's services for benchmarks that drive it without a person: questions answered the
// same way every time, file dialogs with a fixed answer, no backups, settings that store nothing.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/BackupChooser.h"
#include "commands/FileChooser.h"
#include "commands/Prompter.h"
#include "settings/SettingsBackend.h"

namespace lh::bench {

// Agrees to every question (Yes, OK) or declines it (No, Cancel); notices get OK.
struct FixedPrompter : commands::Prompter {
    explicit FixedPrompter(bool agree) : m_agree(agree) {}
    Answer ask(const Message& message) override {
        switch (message.buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::OkCancel:
                return m_agree ? Answer::Ok : Answer::Cancel;
            case Buttons::YesNo:
                return m_agree ? Answer::Yes : Answer::No;
            case Buttons::YesNoCancel:
                break;
        }
        return m_agree ? Answer::Yes : Answer::Cancel;
    }

private:
    bool m_agree;
};

// Save dialogs answer with `saveTo` (none when empty); the others are cancelled.
struct FixedFiles : commands::FileChooser {
    std::string saveTo;
    std::optional<std::string> chooseFileToOpen(const Request&) override { return {}; }
    std::optional<std::string> chooseFileToSave(const Request&) override {
        return saveTo.empty() ? std::nullopt : std::optional(saveTo);
    }
    std::optional<std::string> chooseFolder(const Request&) override { return {}; }
};

struct NoBackups : commands::BackupChooser {
    std::optional<std::string> chooseBackup(const std::string&,
                                            const std::vector<store::BackupRow>&) override {
        return {};
    }
};

struct MemoryBackend : settings::SettingsBackend {
    std::unique_ptr<settings::SettingsKey> openKey(std::string_view, bool) override {
        return nullptr;
    }
    std::optional<std::string> readUserString(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

}  // namespace lh::bench

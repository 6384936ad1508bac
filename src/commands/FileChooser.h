#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lh::commands {

// The file dialogs. Each returns the chosen path, or nothing when the user cancelled.
class FileChooser {
public:
    struct Request {
        std::string title;
        std::string folder;        // where the dialog starts; empty for the dialog's own choice
        std::string proposedName;  // the name the save dialog proposes
        std::string filter;        // e.g. "Linkhaven Files (*.lhd)"
    };

    virtual ~FileChooser() = default;
    // An existing file to open.
    virtual std::optional<std::string> chooseFileToOpen(const Request& request) = 0;
    // Existing files to open, several at once; empty when the user cancelled. Choosers that can
    // take only one answer with chooseFileToOpen's.
    virtual std::vector<std::string> chooseFilesToOpen(const Request& request) {
        std::optional<std::string> one = chooseFileToOpen(request);
        return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
    }
    // A file to write (the dialog asks before an existing file is replaced).
    virtual std::optional<std::string> chooseFileToSave(const Request& request) = 0;
    // An existing folder.
    virtual std::optional<std::string> chooseFolder(const Request& request) = 0;
};

}  // namespace lh::commands

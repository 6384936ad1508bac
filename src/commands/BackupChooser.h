#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/Backups.h"

namespace lh::commands {

// The "Restore backup file" question: shows `rows` (display order) for `dataFile` and gives the
// chosen backup's full path, or nothing when the user chose none. The GUI shows a dialog; tests
// answer from a script.
class BackupChooser {
public:
    virtual ~BackupChooser() = default;
    virtual std::optional<std::string> chooseBackup(const std::string& dataFile,
                                                    const std::vector<store::BackupRow>& rows) = 0;
};

}  // namespace lh::commands

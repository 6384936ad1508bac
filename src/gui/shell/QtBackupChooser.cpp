#include "gui/shell/QtBackupChooser.h"

#include "gui/shell/RestoreBackupDialog.h"

namespace lh::gui {

std::optional<std::string> QtBackupChooser::chooseBackup(
    const std::string& dataFile, const std::vector<store::BackupRow>& rows) {
    (void)dataFile;
    RestoreBackupDialog dialog(rows, m_parent);
    dialog.exec();
    return dialog.chosenPath();
}

}  // namespace lh::gui

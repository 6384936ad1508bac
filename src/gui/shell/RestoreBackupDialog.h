#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "store/Backups.h"

class QTreeWidget;

namespace lh::gui {

// "Restore backup file": the backups of a refused data file in a list ("File name", "File date",
// "File path", "Size", "Links"), one row per BackupRow in the given order, full-row selection,
// the newest row selected, OK and Cancel.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT

public:
    explicit RestoreBackupDialog(const std::vector<store::BackupRow>& rows,
                                 QWidget* parent = nullptr);

    // After OK: the first selected row's folder and name; nothing when no row is selected or the
    // dialog was cancelled.
    std::optional<std::string> chosenPath() const;

private:
    void setupUi();

    std::vector<store::BackupRow> m_rows;
    QTreeWidget* m_list = nullptr;
};

}  // namespace lh::gui

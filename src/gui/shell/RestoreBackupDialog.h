#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "commands/BackupChooser.h"

class QTreeWidget;

namespace lh::gui {

// "Restore backup file": the backups of a refused data file in a list ("File name", "File date",
// "File path"), one row per BackupRow in the given order, full-row selection, OK and Cancel.
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

// The BackupChooser the program uses: shows RestoreBackupDialog modally over `parent`.
class QtBackupChooser final : public commands::BackupChooser {
public:
    explicit QtBackupChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    std::optional<std::string> chooseBackup(const std::string& dataFile,
                                            const std::vector<store::BackupRow>& rows) override;

private:
    QWidget* m_parent;
};

}  // namespace lh::gui

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/BackupChooser.h"

class QWidget;

namespace lh::gui {

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

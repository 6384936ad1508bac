#pragma once

#include "commands/FileChooser.h"

class QWidget;

namespace lh::gui {

// File dialogs as QFileDialog, parented to `parent` (may be null).
class DialogFileChooser final : public commands::FileChooser {
public:
    explicit DialogFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    std::optional<std::string> chooseFileToOpen(const Request& request) override;
    std::vector<std::string> chooseFilesToOpen(const Request& request) override;
    std::optional<std::string> chooseFileToSave(const Request& request) override;
    std::optional<std::string> chooseFolder(const Request& request) override;

private:
    QWidget* m_parent;
};

}  // namespace lh::gui

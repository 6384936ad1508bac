#pragma once

#include "commands/Prompter.h"

class QWidget;

namespace lh::gui {

// Message boxes as QMessageBox, parented to `parent` (may be null).
class MessageBoxPrompter final : public commands::Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Answer ask(const Message& message) override;

private:
    QWidget* m_parent;
};

}  // namespace lh::gui

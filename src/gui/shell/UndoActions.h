#pragma once

#include <QObject>
#include <QString>

#include <string>

namespace lh::commands {
class Prompter;
}
namespace lh::history {
class UndoStack;
}

namespace lh::gui {

class ActionRegistry;

// The Edit menu's Undo and Redo, and their toolbar buttons: named after the step they take back
// or bring back ("Undo Delete Category 'Bulk'"), disabled under their plain names when there is
// none. Ctrl+Z undoes; Ctrl+Shift+Z and Ctrl+Y redo.
class UndoActions : public QObject {
    Q_OBJECT

public:
    // `stack`, `actions` and `prompter` must outlive this.
    UndoActions(history::UndoStack& stack, ActionRegistry& actions, commands::Prompter& prompter,
                QObject* parent = nullptr);
    ~UndoActions() override;

    // "&Undo" or "&Redo", then the step's name as a menu shows a user's text ("&" as itself).
    static QString actionText(bool redo, const std::string& stepName);

private:
    void update();
    void run(bool redo);

    history::UndoStack& m_stack;
    ActionRegistry& m_actions;
    commands::Prompter& m_prompter;
};

}  // namespace lh::gui

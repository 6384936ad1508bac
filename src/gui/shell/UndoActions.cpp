#include "gui/shell/UndoActions.h"

#include <QAction>
#include <QKeySequence>

#include "commands/Prompter.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/uikit/MenuText.h"
#include "history/UndoStack.h"

namespace lh::gui {

UndoActions::UndoActions(history::UndoStack& stack, ActionRegistry& actions,
                         commands::Prompter& prompter, QObject* parent)
    : QObject(parent), m_stack(stack), m_actions(actions), m_prompter(prompter) {
    QAction* undo = m_actions.action(CommandId::Undo);
    QAction* redo = m_actions.action(CommandId::Redo);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo, &QAction::triggered, this, [this] { run(false); });
    connect(redo, &QAction::triggered, this, [this] { run(true); });
    m_stack.onChanged([this] { update(); });
    update();
}

UndoActions::~UndoActions() {
    m_stack.onChanged(nullptr);
}

QString UndoActions::actionText(bool redo, const std::string& stepName) {
    const QString command = redo ? QStringLiteral("&Redo") : QStringLiteral("&Undo");
    if (stepName.empty()) {
        return command;
    }
    return command + ' ' + menuEntryText(QString::fromStdString(stepName));
}

void UndoActions::update() {
    const auto show = [](QAction* action, bool redo, bool possible, const std::string& name) {
        action->setEnabled(possible);
        action->setText(actionText(redo, name));
        const QString plain = QString(redo ? "Redo" : "Undo");
        action->setToolTip(name.empty() ? plain : plain + ' ' + QString::fromStdString(name));
    };
    show(m_actions.action(CommandId::Undo), false, m_stack.canUndo(), m_stack.undoName());
    show(m_actions.action(CommandId::Redo), true, m_stack.canRedo(), m_stack.redoName());
}

void UndoActions::run(bool redo) {
    std::string error;
    const bool done = redo ? m_stack.redo(&error) : m_stack.undo(&error);
    if (!done && !error.empty()) {
        m_prompter.tell(error, commands::Prompter::Icon::Warning);
    }
}

}  // namespace lh::gui

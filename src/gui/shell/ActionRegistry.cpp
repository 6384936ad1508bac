#include "gui/shell/ActionRegistry.h"

#include "gui/shell/CommandTable.h"

namespace lh::gui {

ActionRegistry::ActionRegistry(QObject* parent) : QObject(parent) {
    for (const CommandInfo& info : allCommands()) {
        auto* action = new QAction(QString::fromUtf8(info.text), this);
        action->setObjectName(QStringLiteral("action%1").arg(int(info.id)));
        action->setData(int(info.id));
        action->setCheckable(info.checkable);
        if (info.standardKey != QKeySequence::UnknownKey) {
            action->setShortcut(QKeySequence(info.standardKey));
        }
        if (info.statusTip != nullptr) {
            action->setStatusTip(QString::fromUtf8(info.statusTip));
        }
        if (info.toolTip != nullptr) {
            action->setToolTip(QString::fromUtf8(info.toolTip));
        }
        action->setEnabled(false);
        m_actions.emplace(info.id, action);
    }
}

QAction* ActionRegistry::action(CommandId id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void ActionRegistry::handle(CommandId id, std::function<void()> handler) {
    QAction* a = action(id);
    if (a == nullptr) {
        return;
    }
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

}  // namespace lh::gui

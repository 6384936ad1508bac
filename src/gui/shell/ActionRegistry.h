#pragma once

#include <QAction>
#include <QObject>

#include <functional>
#include <map>

#include "gui/shell/CommandIds.h"

namespace lh::gui {

// One QAction per command id, made from the command table. The menus, the tree's context menu,
// the toolbar and the tray menu all show these same actions, so enabling or checking one shows
// everywhere. An action stays disabled until its area takes it up: a handler given here, or an
// actions object (CategoryActions, ImportActions) that connects it and keeps it enabled.
class ActionRegistry : public QObject {
    Q_OBJECT

public:
    explicit ActionRegistry(QObject* parent = nullptr);

    // The action of command `id`, or null for an id outside the command table.
    QAction* action(CommandId id) const;
    // Runs `handler` when the command is chosen, and enables the action.
    void handle(CommandId id, std::function<void()> handler);

private:
    std::map<CommandId, QAction*> m_actions;
};

}  // namespace lh::gui

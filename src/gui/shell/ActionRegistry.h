#pragma once

#include <QAction>
#include <QObject>

#include <functional>
#include <map>

#include "gui/shell/CommandIds.h"

namespace lh::gui {

// One QAction per command id, made from the command table. Menus, the toolbar and the tray menu
// all show these same actions, so enabling or checking one shows everywhere. An action stays
// disabled until a handler is given to it.
class ActionRegistry : public QObject {
    Q_OBJECT

public:
    explicit ActionRegistry(QObject* parent = nullptr);

    QAction* action(CommandId id) const;
    // Runs `handler` when the command is chosen, and enables the action.
    void handle(CommandId id, std::function<void()> handler);

private:
    std::map<CommandId, QAction*> m_actions;
};

}  // namespace lh::gui

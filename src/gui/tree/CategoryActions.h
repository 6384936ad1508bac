#pragma once

#include <QObject>

namespace lh::gui {

class ActionRegistry;
class CategoryPane;

// The category commands: the main menu's four (New Category, Delete, Move to, Properties on the
// current category) and the tree's context menu's four (the same on the right-clicked category).
// It connects their actions from the registry to the pane, fills the tree's context menu from its
// table, and enables each set from the pane's menu state: the main menu's whenever the current
// category changes and before the Category menu shows, the context menu's as it is about to show.
class CategoryActions : public QObject {
    Q_OBJECT

public:
    // `actions` and `pane` must outlive this object.
    CategoryActions(ActionRegistry& actions, CategoryPane& pane, QObject* parent = nullptr);

public slots:
    // Enables the main menu's four commands for the pane's current category.
    void updateMainMenu();
    // Enables the context menu's four commands for the right-clicked category.
    void updateContextMenu();

private:
    void connectCommands();

    ActionRegistry& m_actions;
    CategoryPane& m_pane;
};

}  // namespace lh::gui

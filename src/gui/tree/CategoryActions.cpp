#include "gui/tree/CategoryActions.h"

#include <QAction>
#include <QMenu>

#include "commands/CategoryMenus.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/MenuBuilder.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeView.h"

namespace lh::gui {

namespace {

// The four commands of one menu, in the order of CategoryMenuState's fields.
struct CategoryCommandSet {
    CommandId newCategory;
    CommandId deleteCategory;
    CommandId moveTo;
    CommandId properties;
};

constexpr CategoryCommandSet kMainMenu{CommandId::NewCategory, CommandId::DeleteCategory,
                                       CommandId::MoveCategory, CommandId::CategoryProperties};
constexpr CategoryCommandSet kContextMenu{CommandId::TreeNewCategory, CommandId::TreeDeleteCategory,
                                          CommandId::TreeMoveCategory,
                                          CommandId::TreeCategoryProperties};

void enable(const ActionRegistry& actions, const CategoryCommandSet& set,
            const commands::CategoryMenuState& state) {
    actions.action(set.newCategory)->setEnabled(state.newCategory);
    actions.action(set.deleteCategory)->setEnabled(state.deleteCategory);
    actions.action(set.moveTo)->setEnabled(state.moveTo);
    actions.action(set.properties)->setEnabled(state.properties);
}

}  // namespace

CategoryActions::CategoryActions(ActionRegistry& actions, CategoryPane& pane, QObject* parent)
    : QObject(parent), m_actions(actions), m_pane(pane) {
    QMenu& contextMenu = *m_pane.treeView()->contextMenu();
    addMenuEntries(contextMenu, m_actions, categoryContextMenuLayout());
    connectCommands();
    connect(&m_pane, &CategoryPane::currentCategoryChanged, this, &CategoryActions::updateMainMenu);
    connect(&contextMenu, &QMenu::aboutToShow, this, &CategoryActions::updateContextMenu);
    updateMainMenu();
    updateContextMenu();
}

void CategoryActions::connectCommands() {
    const auto on = [this](CommandId id, void (CategoryPane::*slot)()) {
        connect(m_actions.action(id), &QAction::triggered, &m_pane, slot);
    };
    on(kMainMenu.newCategory, &CategoryPane::newCategory);
    on(kMainMenu.deleteCategory, &CategoryPane::deleteCategory);
    on(kMainMenu.moveTo, &CategoryPane::moveCategory);
    on(kMainMenu.properties, &CategoryPane::showProperties);
    on(kContextMenu.newCategory, &CategoryPane::newCategoryInClicked);
    on(kContextMenu.deleteCategory, &CategoryPane::deleteClickedCategory);
    on(kContextMenu.moveTo, &CategoryPane::moveClickedCategory);
    on(kContextMenu.properties, &CategoryPane::showClickedProperties);
}

void CategoryActions::updateMainMenu() {
    enable(m_actions, kMainMenu, m_pane.mainMenuState());
}

void CategoryActions::updateContextMenu() {
    enable(m_actions, kContextMenu, m_pane.contextMenuState());
}

}  // namespace lh::gui

#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

#include "tree/CategoryMenus.h"

class QModelIndex;

namespace lh::store {
class Database;
class DatabaseObserver;
struct CategoryRecord;
}  // namespace lh::store
namespace lh::tree {
class CategoryCommands;
}
namespace lh::ui {
class Prompter;
}

namespace lh::gui {

class CategoryTreeModel;
class CategoryTreeView;

// The left pane of the main window: the category tree, the current category (the one whose
// items the item list shows) and the four category commands of the main menu and of the tree's
// context menu.
//
// The Database's changes reach the pane through databaseObserver(): the main window installs it
// (or forwards the calls of its own observer to it). Categories added behind the pane's back
// (imports) are shown by categoriesAdded().
class CategoryPane : public QWidget {
    Q_OBJECT

public:
    CategoryPane(store::Database& db, ui::Prompter& prompter, QWidget* parent = nullptr);
    ~CategoryPane() override;

    // Handles treeRebuilt, databaseClearing and categoryRemoving; ignores the item events.
    store::DatabaseObserver& databaseObserver();

    // The current category, or null before a database is shown.
    store::CategoryRecord* currentCategory() const;
    // Its id, or -1.
    int currentCategoryId() const;
    // Which of the main menu's commands 32773-32776 apply to the current category.
    tree::CategoryMenuState mainMenuState() const;
    // Tiles a picture behind the tree; false (and no picture) when it does not load.
    bool setBackground(const QString& fileName);

    CategoryTreeView* treeView() const { return m_view; }
    CategoryTreeModel* treeModel() const { return m_model; }
    // The category dialog now open, or null.
    QDialog* openDialog() const { return m_dialog; }

public slots:
    // The main menu's commands (32773-32776) on the current category; disabled ones do nothing.
    void newCategory();
    void deleteCategory();
    void moveCategory();
    void showProperties();
    // Any of the eight category command ids; the tree's own act on the last right-clicked one.
    void runCommand(int commandId);
    // Shows the Database's tree afresh, expanded as stored, and makes the root's first child
    // current.
    void rebuildTree();
    // Shows categories added or moved without the pane's knowledge, keeping what is expanded and
    // selected.
    void categoriesAdded();
    // Selects category `id` and makes it current; false when it is not shown.
    bool selectCategory(quint16 id);

signals:
    // The current category changed to `categoryId` (-1: none, the database was emptied).
    void currentCategoryChanged(int categoryId);
    // A favourites category was created, moved, deleted or renamed: the favourites menu is stale.
    void favouritesChanged();
    // Item rows were dropped on category `targetCategoryId`; the item list moves them.
    void itemsDropped(quint16 targetCategoryId);

private:
    class Host;
    class Observer;

    void setupUi();
    void connectSignals();
    void setCurrent(std::optional<std::uint16_t> id);
    void onCurrentIndexChanged(const QModelIndex& index);
    void onContextCommand(tree::CategoryCommandId command, quint16 categoryId);
    void onDatabaseClearing();
    // Moves the current category out of the subtree of `id`, then takes the subtree's rows away.
    void beforeRemoval(std::uint16_t id);
    void openCreateDialog(const store::CategoryRecord& basis,
                          std::optional<std::uint16_t> preselectId);
    void openMoveDialog(const store::CategoryRecord& moved);
    void openPropertiesDialog(const store::CategoryRecord& category);
    void showDialog(QDialog* dialog);
    void closeDialog();
    // The shown category `id`, or null.
    store::CategoryRecord* shownCategory(std::uint16_t id) const;

    store::Database& m_db;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<Observer> m_observer;
    std::unique_ptr<tree::CategoryCommands> m_commands;
    CategoryTreeModel* m_model = nullptr;
    CategoryTreeView* m_view = nullptr;
    std::optional<std::uint16_t> m_currentId;
    QPointer<QDialog> m_dialog;
};

}  // namespace lh::gui

#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "commands/CategoryMenus.h"
#include "store/DatabaseObserver.h"

class QModelIndex;

namespace lh::store {
class Database;
class CategoryRecord;
}  // namespace lh::store
namespace lh::commands {
class CategoryCommands;
class Prompter;
}  // namespace lh::commands

namespace lh::gui {

class CategoryTreeModel;
class CategoryTreeView;

// The left pane of the main window: the category tree, the current category (the one whose
// items the item list shows) and what the four category commands do, from the main menu (on the
// current category) and from the tree's context menu (on the right-clicked one). CategoryActions
// connects the menus' actions to these slots.
//
// The pane follows the Database's events: it registers itself with the Database for as long as
// it lives. After bulk work it shows the tree afresh: as stored (expanded as the file says, the
// first category below the root current) when the database was replaced, otherwise as it was
// (what was expanded stays expanded, the current category stays current).
class CategoryPane : public QWidget {
    Q_OBJECT

public:
    CategoryPane(store::Database& db, commands::Prompter& prompter, QWidget* parent = nullptr);
    ~CategoryPane() override;

    // The current category, or null before a database is shown.
    const store::CategoryRecord* currentCategory() const;
    // Its id, or -1.
    int currentCategoryId() const;
    // Which of the main menu's category commands apply to the current category.
    commands::CategoryMenuState mainMenuState() const;
    // Which of the context menu's commands apply to the right-clicked category (none when no
    // category was right-clicked).
    commands::CategoryMenuState contextMenuState() const;
    // Tiles a picture behind the tree; false (and no picture) when it does not load.
    bool setBackground(const QString& fileName);

    CategoryTreeView* treeView() const { return m_view; }
    CategoryTreeModel* treeModel() const { return m_model; }
    // The category dialog now open, or null.
    QDialog* openDialog() const { return m_dialog; }

public slots:
    // The main menu's commands on the current category; disabled ones do nothing.
    void newCategory();
    void deleteCategory();
    void moveCategory();
    void showProperties();
    // The context menu's commands on the last right-clicked category; disabled ones do nothing.
    // New Category preselects the clicked category as the parent.
    void newCategoryInClicked();
    void deleteClickedCategory();
    void moveClickedCategory();
    void showClickedProperties();
    // Shows the Database's tree afresh, expanded as stored, and makes the root's first child
    // current.
    void rebuildTree();
    // Selects category `id` and makes it current; false when it is not shown.
    bool selectCategory(quint16 id);
    // The next load is another version of the same file: keep the current category, the open
    // branches and the scroll position where they still exist, instead of starting afresh.
    void keepViewOnNextLoad() { m_keepViewOnLoad = true; }

signals:
    // The current category changed to `categoryId` (-1: none, the database was emptied).
    void currentCategoryChanged(int categoryId);
    // The items `itemIds` were dropped on category `targetCategoryId`; the item list moves them.
    void itemsDropped(quint16 targetCategoryId, const QList<quint32>& itemIds);

private:
    class Host;
    class Observer;

    void setupUi();
    void connectSignals();
    void setCurrent(std::optional<std::uint16_t> id);
    void onCurrentIndexChanged(const QModelIndex& index);
    // The right-clicked category while it is shown, or null.
    const store::CategoryRecord* clickedCategory() const;
    // Bulk work: what the view shows is kept aside at its start and brought back at its end.
    void onBulkChangeBegun();
    void onBulkChangeEnded(bool contentsReplaced);
    // Moves the current category out of the categories at `rows` (and everything below them).
    void beforeRemoval(const store::CategoryRows& rows);
    void openCreateDialog(const store::CategoryRecord& basis,
                          std::optional<std::uint16_t> preselectId);
    void openMoveDialog(const store::CategoryRecord& moved);
    void openPropertiesDialog(const store::CategoryRecord& category);
    void showDialog(QDialog* dialog);
    void closeDialog();
    void selectFirstCategory();
    // Expands the categories above `id` and scrolls its row into view; selects nothing.
    void reveal(std::uint16_t id);
    // The shown category `id`, or null.
    const store::CategoryRecord* shownCategory(std::uint16_t id) const;

    // What the view showed when bulk work began.
    struct ViewState {
        std::vector<std::uint16_t> expanded;
        std::optional<std::uint16_t> current;
        std::optional<std::uint16_t> clicked;
        int scroll = 0;
        // The same by category names, for a load of the same file: its ids follow the file.
        std::vector<std::vector<std::string>> expandedNames;
        std::vector<std::string> currentNames, clickedNames;
    };
    // Fills the names of `state` from its ids, and later its ids from its names.
    void nameCategories(ViewState& state) const;
    void findNamedCategories(ViewState& state) const;

    store::Database& m_db;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<Observer> m_observer;
    std::unique_ptr<commands::CategoryCommands> m_commands;
    CategoryTreeModel* m_model = nullptr;
    CategoryTreeView* m_view = nullptr;
    std::optional<std::uint16_t> m_currentId;
    QPointer<QDialog> m_dialog;
    ViewState m_beforeBulk;
    bool m_keepViewOnLoad = false;
};

}  // namespace lh::gui

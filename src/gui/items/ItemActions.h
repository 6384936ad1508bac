#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

#include "commands/ItemCommandRules.h"
#include "commands/ItemCommands.h"
#include "store/Kinds.h"

class QMenu;

namespace lh::store {
class Database;
class ItemRecord;
}  // namespace lh::store
namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

class ActionRegistry;
class BrowserLauncher;
class ItemDialogs;
class ItemPane;

// The item commands: connects their actions from the registry to the item list (ItemPane), the
// commands' rules (ItemCommands), the item dialogs, the browser and the clipboard; builds the
// list's context menus, one per item kind, from their tables; carries out double clicks, the
// Delete key and rows dropped on the tree. Every command acts on the current category's
// selected rows and decides by the kind of the first selected item. The enabled states follow
// the selection and the current category (updateActions) and are checked again before a menu
// shows. The item dialog open closes when bulk work begins (a database is opened or replaced, an
// import runs), as the category dialogs do.
class ItemActions : public QObject {
    Q_OBJECT

public:
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        settings::AppSettings& settings;
        BrowserLauncher& browser;
    };
    // Opens a local file or folder with the desktop's program for it; false when none started.
    using Opener = std::function<bool(const QUrl& url)>;

    // Everything given must outlive this object.
    ItemActions(ActionRegistry& actions, ItemPane& pane, ItemDialogs& dialogs, Services services,
                QObject* parent = nullptr);
    ~ItemActions() override;

    // Replaces how files and folders are opened (tests record instead).
    void setOpener(Opener opener) { m_open = std::move(opener); }
    // The context menu for items of `kind` (null for mixed items).
    QMenu* contextMenu(items::ItemKind kind) const;

public slots:
    // Enables the item commands for the list's current state.
    void updateActions();
    // Rows `ids` dropped on category `target` move there.
    void moveDroppedItems(quint16 target, const QList<quint32>& ids);

private:
    class DialogCloser;

    void connectCommands();
    void connectPane();
    // The list's state as the enable rules see it.
    commands::ItemListState listState() const;
    // The first selected item, or null.
    const store::ItemRecord* firstSelected() const;
    void showContextMenu(const QPoint& globalPos);
    void activate(store::ItemId id);
    void run(commands::ItemAction action, const store::ItemRecord& item);
    void editProperty();
    void addRemind();
    void deleteSelected(bool permanent);
    void moveUp();
    void moveDown();
    void copyFiles();
    // Opens the item's file, or the folder it lies in.
    void openFile(const store::ItemRecord& item, bool folder);

    ActionRegistry& m_actions;
    ItemPane& m_pane;
    ItemDialogs& m_dialogs;
    Services m_services;
    commands::ItemCommands m_commands;
    Opener m_open;
    std::map<items::ItemKind, std::unique_ptr<QMenu>> m_menus;
    std::unique_ptr<DialogCloser> m_closer;
};

}  // namespace lh::gui

#include "gui/items/ItemActions.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/items/FileClipboard.h"
#include "gui/items/ItemDialogs.h"
#include "gui/items/ItemPane.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserCapture.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/MenuBuilder.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

using C = CommandId;
using commands::ItemAction;

}  // namespace

class ItemActions::DialogCloser final : public store::DatabaseObserver {
public:
    explicit DialogCloser(ItemDialogs& dialogs) : m_dialogs(dialogs) {}
    void bulkChangeBegun() override { m_dialogs.closeDialog(); }

private:
    ItemDialogs& m_dialogs;
};

ItemActions::ItemActions(ActionRegistry& actions, ItemPane& pane, ItemDialogs& dialogs,
                         Services services, QObject* parent)
    : QObject(parent),
      m_actions(actions),
      m_pane(pane),
      m_dialogs(dialogs),
      m_services(services),
      m_commands(services.db, services.prompter),
      m_open([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_closer(std::make_unique<DialogCloser>(dialogs)) {
    m_services.db.addObserver(m_closer.get());
    for (items::ItemKind kind :
         {items::ItemKind::Url, items::ItemKind::File, items::ItemKind::Remind}) {
        auto menu = std::make_unique<QMenu>();
        menu->setObjectName(QStringLiteral("itemContextMenu%1").arg(int(kind)));
        addMenuEntries(*menu, m_actions, itemContextMenuLayout(kind));
        connect(menu.get(), &QMenu::aboutToShow, this, &ItemActions::updateActions);
        m_menus.emplace(kind, std::move(menu));
    }
    connectCommands();
    connectPane();
    updateActions();
}

ItemActions::~ItemActions() {
    m_services.db.removeObserver(m_closer.get());
}

QMenu* ItemActions::contextMenu(items::ItemKind kind) const {
    const auto it = m_menus.find(kind);
    return it == m_menus.end() ? nullptr : it->second.get();
}

void ItemActions::connectCommands() {
    const auto on = [this](CommandId id, std::function<void()> handler) {
        m_actions.handle(id, std::move(handler));
    };
    const auto withFirst = [this](auto use) {
        return [this, use] {
            if (const store::ItemRecord* item = firstSelected()) {
                use(*item);
            }
        };
    };
    on(C::AddUrl, [this] {
        const CapturedPage page = captureBrowserPage(*QGuiApplication::clipboard());
        m_dialogs.addUrl(page.title, page.address);
    });
    on(C::AddFile, [this] { m_dialogs.addFile(); });
    on(C::AddBatchFile, [this] { m_dialogs.addBatchFiles({}); });
    on(C::AddRemind, [this] { addRemind(); });
    on(C::ItemProperty, [this] { editProperty(); });
    on(C::ItemComment,
       withFirst([this](const store::ItemRecord& item) { m_dialogs.editComment(item.id()); }));
    on(C::BrowseUrl,
       withFirst([this](const store::ItemRecord& item) { run(ItemAction::BrowseUrl, item); }));
    on(C::OpenFile, withFirst([this](const store::ItemRecord& item) { openFile(item, false); }));
    on(C::OpenFileFolder,
       withFirst([this](const store::ItemRecord& item) { openFile(item, true); }));
    on(C::CopyFile, [this] { copyFiles(); });
    on(C::DeleteItems, [this] {
        deleteSelected(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    on(C::MoveUp, [this] { moveUp(); });
    on(C::MoveDown, [this] { moveDown(); });
    on(C::SelectAll, [this] { m_pane.selectAll(); });
    on(C::InvertSelection, [this] { m_pane.invertSelection(); });
}

void ItemActions::connectPane() {
    connect(&m_pane, &ItemPane::selectionChanged, this, &ItemActions::updateActions);
    connect(&m_pane, &ItemPane::itemActivated, this, &ItemActions::activate);
    connect(&m_pane, &ItemPane::contextMenuRequested, this, &ItemActions::showContextMenu);
    connect(&m_pane, &ItemPane::deleteRequested, this, &ItemActions::deleteSelected);
}

// --- State ---------------------------------------------------------------------------------------

commands::ItemListState ItemActions::listState() const {
    commands::ItemListState state;
    state.category = m_pane.category();
    state.rowCount = m_pane.rowCount();
    state.selectedRows = m_pane.selectedRows();
    if (const store::ItemRecord* first = firstSelected()) {
        state.firstKind = items::kindOf(*first);
    }
    const std::vector<store::ItemId> selected = m_pane.selectedItems();
    state.selectionHoldsFiles = std::any_of(selected.begin(), selected.end(), [this](auto id) {
        const store::ItemRecord* item = m_services.db.findItem(id);
        return item != nullptr && item->kind() == store::kKindFile;
    });
    state.hasRemindEditor = m_dialogs.hasRemindEditor();
    return state;
}

void ItemActions::updateActions() {
    const commands::ItemCommandState state = commands::itemCommandState(listState());
    const auto enable = [this](CommandId id, bool on) { m_actions.action(id)->setEnabled(on); };
    enable(C::ItemProperty, state.property);
    enable(C::ItemComment, state.comment);
    enable(C::BrowseUrl, state.browseUrl);
    enable(C::OpenFile, state.openFile);
    enable(C::CopyFile, state.copyFile);
    enable(C::OpenFileFolder, state.openFileFolder);
    enable(C::MoveUp, state.moveUp);
    enable(C::MoveDown, state.moveDown);
    enable(C::AddRemind, state.addRemind);
}

const store::ItemRecord* ItemActions::firstSelected() const {
    const std::vector<int> rows = m_pane.selectedRows();
    return rows.empty() ? nullptr : m_services.db.findItem(m_pane.itemAt(rows.front()));
}

// --- The list's own events ---------------------------------------------------------------------

void ItemActions::showContextMenu(const QPoint& globalPos) {
    const store::ItemRecord* first = firstSelected();
    QMenu* menu = first != nullptr ? contextMenu(items::kindOf(*first)) : nullptr;
    if (menu != nullptr) {
        menu->popup(globalPos);
    }
}

void ItemActions::activate(store::ItemId id) {
    if (const store::ItemRecord* item = m_services.db.findItem(id)) {
        run(commands::doubleClickAction(items::kindOf(*item), m_services.settings.OtherFlag),
            *item);
    }
}

void ItemActions::run(ItemAction action, const store::ItemRecord& item) {
    const auto category = m_pane.category();
    switch (action) {
        case ItemAction::Property:
            if (category) {
                m_dialogs.editItem(item.id(), *category);
            }
            break;
        case ItemAction::Comment:
            m_dialogs.editComment(item.id());
            break;
        case ItemAction::BrowseUrl:
            m_services.browser.openUrl(std::string(item.address()));
            break;
        case ItemAction::OpenFile:
            openFile(item, false);
            break;
        case ItemAction::None:
            break;
    }
}

// --- Commands ----------------------------------------------------------------------------------

void ItemActions::editProperty() {
    if (const store::ItemRecord* item = firstSelected()) {
        run(ItemAction::Property, *item);
    }
}

void ItemActions::addRemind() {
    m_dialogs.addRemind(m_pane.category().value_or(store::kRootId));
}

void ItemActions::deleteSelected(bool permanent) {
    if (const auto category = m_pane.category()) {
        m_commands.deleteItems(m_pane.selectedItems(), *category, permanent);
    }
}

void ItemActions::moveUp() {
    const std::vector<store::ItemId> moved = m_commands.moveUp(m_pane.selectedItems());
    m_pane.select(moved, moved.empty() ? store::kNoItemId : moved.front());
    updateActions();  // rows that move keep their selection without a word
}

void ItemActions::moveDown() {
    const std::vector<store::ItemId> moved = m_commands.moveDown(m_pane.selectedItems());
    m_pane.select(moved, moved.empty() ? store::kNoItemId : moved.back());
    updateActions();
}

void ItemActions::moveDroppedItems(quint16 target, const QList<quint32>& ids) {
    const std::vector<store::ItemId> items(ids.begin(), ids.end());
    m_commands.moveToCategory(items, target);
}

void ItemActions::copyFiles() {
    std::vector<const store::ItemRecord*> items;
    for (store::ItemId id : m_pane.selectedItems()) {
        if (const store::ItemRecord* item = m_services.db.findItem(id)) {
            items.push_back(item);
        }
    }
    const std::vector<std::string> paths = commands::copiedFilePaths(items);
    if (!paths.empty()) {
        QGuiApplication::clipboard()->setMimeData(copiedFilesMimeData(paths));
    }
}

void ItemActions::openFile(const store::ItemRecord& item, bool folder) {
    const std::string file = commands::filePathOf(item);
    const std::string path = folder ? std::string(item.location()) : file;
    const QString name = QString::fromStdString(path);
    if (!QFileInfo::exists(name)) {
        m_services.prompter.tell("\"" + path + "\" does not exist.",
                                 commands::Prompter::Icon::Warning);
    } else if (!m_open(QUrl::fromLocalFile(name))) {
        m_services.prompter.tell("\"" + path + "\" could not be opened.",
                                 commands::Prompter::Icon::Warning);
    }
}

}  // namespace lh::gui

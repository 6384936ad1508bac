#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <functional>

#include "commands/Autosave.h"
#include "commands/FileCommands.h"
#include "commands/ReminderTimers.h"
#include "commands/TimerWork.h"
#include "gui/bookmarks/ImportActions.h"
#include "gui/dropzone/DropZone.h"
#include "gui/items/DetailPane.h"
#include "gui/items/FindActions.h"
#include "gui/items/ItemActions.h"
#include "gui/items/ItemDialogs.h"
#include "gui/items/ItemListView.h"
#include "gui/items/ItemPane.h"
#include "gui/items/RemindDialogs.h"
#include "gui/linkcheck/LinkCheckActions.h"
#include "gui/reminders/AlarmCenter.h"
#include "gui/reminders/SoundPlayer.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/ColumnsDialog.h"
#include "gui/shell/DataFileWatcher.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/MenuBuilder.h"
#include "gui/shell/OptionsDialog.h"
#include "gui/shell/SaveProgressDialog.h"
#include "gui/shell/ShellPictures.h"
#include "gui/shell/Skins.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "gui/shell/UndoActions.h"
#include "gui/tree/CategoryActions.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/uikit/PaneLook.h"
#include "gui/uikit/ShippedFiles.h"
#include "gui/update/UpdateChecker.h"
#include "gui/update/WebPage.h"
#include "history/UndoStack.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "update/ProductInfo.h"

namespace lh::gui {

namespace {

constexpr int kReminderPeriodMs = 52'000;
constexpr int kHousekeepingPeriodMs = commands::kHousekeepingTickSeconds * 1000;

}  // namespace

// The timers wait while an import or a save runs.
class MainWindow::DefaultTimerWork final : public commands::TimerWork {
public:
    explicit DefaultTimerWork(const MainWindow& window) : m_window(window) {}

    bool mustWait() const override {
        return m_window.m_imports->isRunning() || m_window.isSaving();
    }

private:
    const MainWindow& m_window;
};

MainWindow::MainWindow(ShellServices services, QWidget* parent)
    : QMainWindow(parent), m_services(services) {
    setupUi();
    createActions();
    createMenus();
    connectSignals();
    setupSkins(skinFolder(programFolder(), installedDataFolder()));
}

MainWindow::~MainWindow() {
    m_services.db.setSaveProgress(nullptr);
}

void MainWindow::setupSkins(const QString& folder) {
    delete m_skins;
    m_skins = new Skins(m_services.settings, folder, this);
    delete m_skinMenu;
    m_skinMenu = m_skins->makeMenu(this);
    menu(MenuId::View)->addMenu(m_skinMenu);
    connect(m_skins, &Skins::lookChanged, this, [this] {
        const settings::SkinLook& look = m_skins->look();
        applyPaneLook(*m_treePane->treeView(), look.tree);
        applyPaneLook(*m_items->listView(), look.list);
        m_items->detailPane()->setSkinLook(
            m_skins->chosen() == 0 ? std::nullopt : std::optional<settings::SkinLook>(look));
    });
    m_skins->chooseStored();
}

void MainWindow::setupUi() {
    setObjectName("mainWindow");
    setWindowTitle(QStringLiteral("Linkhaven"));
    setWindowIcon(programIcon());

    m_outer = new QSplitter(Qt::Horizontal, this);
    m_outer->setObjectName("outerSplitter");
    m_treePane = new CategoryPane(m_services.db, m_services.prompter, m_outer);
    m_inner = new QSplitter(Qt::Vertical, m_outer);
    m_inner->setObjectName("innerSplitter");
    m_items = new ItemPane(m_services.db, m_services.settings, m_inner);
    m_itemPane = m_items->listView();
    m_detailPane = m_items->detailPane();
    m_inner->addWidget(m_itemPane);
    m_inner->addWidget(m_detailPane);
    m_outer->setStretchFactor(1, 1);
    setCentralWidget(m_outer);
    statusBar()->setObjectName("statusBar");
    statusBar()->showMessage(tr("Ready"));
    resize(settings::kDefaultWindowWidth, settings::kDefaultWindowHeight);
}

void MainWindow::createActions() {
    for (const CommandInfo& info : allCommands()) {
        addAction(m_actions.action(info.id));  // shortcuts work without opening a menu
    }
    m_history = std::make_unique<history::UndoStack>(m_services.db);
    m_undo = std::make_unique<UndoActions>(*m_history, m_actions, m_services.prompter);
    m_browser = std::make_unique<BrowserLauncher>(
        m_services.prompter, [this] { return m_services.settings.Defbrowser; });
    m_favourites = new FavouritesMenu(m_services.db, this);
    m_favourites->setOpenUrl([this](const std::string& address) { m_browser->openUrl(address); });
    m_tray = new TrayIcon(m_actions, *m_favourites, this);
    m_toolbar = new MainToolbar(m_actions, this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_actions.handle(CommandId::OpenHide, [this] { toggleOpenHide(); });
    m_actions.handle(CommandId::About, [this] { showAbout(); });
    m_actions.handle(CommandId::HomePage,
                     [this] { (void)openWebPage(*m_browser, update::kHomePage); });
    m_updates = new UpdateChecker(makeUpdateRunner(), *m_browser, this);
    m_actions.handle(CommandId::CheckForUpdate, [this] { m_updates->openCheckDialog(); });
    m_actions.handle(CommandId::Options, [this] { showOptions(); });
    m_actions.handle(CommandId::Columns, [this] { editColumns(); });
    m_actions.handle(CommandId::UserManual,
                     [this] { openUserManual(programFolder(), installedDataFolder()); });
    m_categoryActions = std::make_unique<CategoryActions>(m_actions, *m_treePane);
    m_itemDialogs = std::make_unique<ItemDialogs>(
        ItemDialogs::Services{m_services.db, m_services.prompter, m_services.files,
                              m_services.settings, platform::systemClock()},
        this);
    auto* reminds = new RemindDialogs(
        ItemDialogs::Services{m_services.db, m_services.prompter, m_services.files,
                              m_services.settings, platform::systemClock()},
        *m_itemDialogs, this);
    m_itemDialogs->setRemindEditor(
        [reminds](store::ItemId id, store::CategoryId current) { reminds->open(id, current); });
    m_soundPreview = std::make_unique<EffectSoundPlayer>();
    reminds->setPlaySound([this](const std::string& path) { m_soundPreview->playOnce(path); });
    m_itemActions = std::make_unique<ItemActions>(
        m_actions, *m_items, *m_itemDialogs,
        ItemActions::Services{m_services.db, m_services.prompter, m_services.settings, *m_browser});
    m_imports = std::make_unique<ImportActions>(
        m_actions,
        ImportActions::Services{m_services.db, m_services.prompter, m_services.files,
                                m_services.settings},
        this);
    m_imports->setCurrentCategory([this] { return m_treePane->currentCategory(); });
    m_linkCheck = std::make_unique<LinkCheckActions>(
        m_actions,
        LinkCheckActions::Services{m_services.db, m_services.prompter, m_services.settings,
                                   *m_browser, platform::systemClock()},
        this);
    m_linkCheck->setCurrentCategory([this]() -> std::optional<store::CategoryId> {
        const int id = m_treePane->currentCategoryId();
        return id < 0 ? std::nullopt : std::optional(static_cast<store::CategoryId>(id));
    });
    m_linkCheck->setDataFile(
        [this] { return m_fileCommands != nullptr ? m_fileCommands->dataFile() : std::string(); });
    m_find = std::make_unique<FindActions>(
        m_actions,
        FindActions::Services{m_services.db, m_services.prompter, m_services.settings,
                              m_services.settingsStore},
        this);
    m_find->setShowHit([this](const items::FindHit& hit) {
        if (m_treePane->selectCategory(hit.category)) {  // the list now shows that category
            m_items->showItem(hit.item);
        }
    });
    // Before the start-up load, which keeps the reminders that passed while the program was
    // closed.
    m_reminders = std::make_unique<commands::ReminderTimers>(commands::ReminderTimers::Services{
        m_services.db, m_services.settings, m_services.settingsStore, platform::systemClock()});
    m_alarms = new AlarmCenter(*this, this);
    m_tray->setAlsoWaitWhile([this] { return m_alarms->openCount() > 0; });  // alarms come first
    m_dropZone = std::make_unique<DropZone>(
        DropZone::Services{m_services.db, m_services.settings, platform::systemClock(), m_actions,
                           *m_tray, *m_itemDialogs,
                           [this]() -> std::optional<store::CategoryId> {
                               const store::CategoryRecord* shown = m_treePane->currentCategory();
                               return shown ? std::optional(shown->id()) : std::nullopt;
                           },
                           [this](const std::string& text) { showStatus(text); }},
        DropZone::desktopPlacesWindows());
    m_saveProgress = std::make_unique<SaveProgressDialog>(this);
    m_services.db.setSaveProgress(m_saveProgress.get());
    m_defaultTimerWork = std::make_unique<DefaultTimerWork>(*this);
    m_timerWork = m_defaultTimerWork.get();
    handleViewCommands();
}

void MainWindow::handleViewCommands() {
    using Flags = settings::GeneralFlags;
    // Each of these commands turns one flag over, checks its menu entry to match and shows it.
    const auto toggle = [this](CommandId id, bool (Flags::*get)() const, void (Flags::*set)(bool),
                               std::function<void(bool)> show) {
        m_actions.handle(id, [this, id, get, set, show] {
            Flags& flags = m_services.settings.GeneralCheck;
            const bool on = !(flags.*get)();
            (flags.*set)(on);
            show(on);
            m_actions.action(id)->setChecked(on);
        });
    };
    toggle(CommandId::Detail, &Flags::showDetail, &Flags::setShowDetail,
           [this](bool on) { m_detailPane->setVisible(on); });
    toggle(CommandId::Grid, &Flags::gridLines, &Flags::setGridLines,
           [this](bool on) { m_items->setGridLines(on); });
    toggle(CommandId::DropZone, &Flags::dropZoneShown, &Flags::setDropZoneShown,
           [this](bool on) { m_dropZone->setShown(on); });
    toggle(CommandId::ShowText, &Flags::toolbarText, &Flags::setToolbarText,
           [this](bool on) { m_toolbar->setShowText(on); });
    m_actions.handle(CommandId::CustomizeToolbar, [this] { customizeToolbar(); });
}

void MainWindow::createMenus() {
    for (const MenuPopup& popup : mainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        addMenuEntries(*menu, m_actions, popup.entries);
        m_menus.emplace(popup.id, menu);
    }
    // The toolbar's own show/hide entry (its context menu's) also sits in View > ToolBar, so a
    // toolbar hidden from that context menu can be shown again.
    QAction* showText = m_actions.action(CommandId::ShowText);
    for (QAction* entry : menu(MenuId::View)->actions()) {
        if (entry->menu() != nullptr && entry->menu()->actions().contains(showText)) {
            entry->menu()->insertAction(showText, m_toolbar->toggleViewAction());
        }
    }
}

void MainWindow::connectSignals() {
    const auto showCategory = [this](int id) {
        m_items->showCategory(id < 0 ? std::nullopt
                                     : std::optional(static_cast<store::CategoryId>(id)));
    };
    connect(m_treePane, &CategoryPane::currentCategoryChanged, m_items, showCategory);
    showCategory(m_treePane->currentCategoryId());
    // The item commands follow the list shown; checked again as their menus open.
    connect(m_treePane, &CategoryPane::currentCategoryChanged, m_itemActions.get(),
            &ItemActions::updateActions);
    connect(m_treePane, &CategoryPane::itemsDropped, m_itemActions.get(),
            &ItemActions::moveDroppedItems);
    for (MenuId id : {MenuId::Management, MenuId::Edit}) {
        connect(menu(id), &QMenu::aboutToShow, m_itemActions.get(), &ItemActions::updateActions);
    }
    // The category commands follow the selected category; checked again as their menu opens.
    connect(menu(MenuId::Category), &QMenu::aboutToShow, m_categoryActions.get(),
            &CategoryActions::updateMainMenu);
    connect(m_imports.get(), &ImportActions::finished, this,
            [this](const QString& status) { statusBar()->showMessage(status); });
    connect(m_alarms, &AlarmCenter::snoozeRequested, this,
            [this](const reminders::Announcement& announcement, int seconds) {
                m_reminders->snooze(announcement, seconds);
            });
    connect(&m_reminderTimer, &QTimer::timeout, this, &MainWindow::reminderTick);
    connect(&m_housekeepingTimer, &QTimer::timeout, this, &MainWindow::housekeepingTick);
    m_reminderTimer.start(kReminderPeriodMs);
    m_housekeepingTimer.start(kHousekeepingPeriodMs);
}

void MainWindow::setFileCommands(commands::FileCommands& fileCommands) {
    m_fileCommands = &fileCommands;
    m_fileCommands->followHistory(*m_history);
    handleFileCommands();
    // Another program's change of the data file is looked at once no dialog or import runs.
    m_dataFileWatcher = std::make_unique<DataFileWatcher>(
        [this] { m_fileCommands->checkDataFile(); }, [this] { return isBusy(); });
    m_dataFileWatcher->follow(QString::fromStdString(m_fileCommands->dataFile()));
}

void MainWindow::handleFileCommands() {
    commands::FileCommands& c = *m_fileCommands;
    // Save and Save As tell the user themselves when they fail.
    m_actions.handle(CommandId::NewDatabase, [&c] { c.newDatabase(); });
    m_actions.handle(CommandId::OpenDatabase, [&c] { c.openDatabase(); });
    m_actions.handle(CommandId::SaveDatabase, [&c] { (void)c.save(); });
    m_actions.handle(CommandId::SaveDatabaseAs, [&c] { (void)c.saveAs(); });
    m_actions.handle(CommandId::Exit, [&c] { c.exit(); });
}

void MainWindow::reminderTick() {
    if (m_timerWork->mustWait()) {
        return;
    }
    announce(m_reminders->reminderTick());
    if (m_fileCommands != nullptr) {
        m_fileCommands->backupTick(m_services.settings.AutoBackup);
    }
}

void MainWindow::housekeepingTick() {
    if (m_timerWork->mustWait()) {
        return;
    }
    const commands::Housekeeping::Tick tick = m_reminders->housekeepingTick();
    if (tick.startUpdateCheck) {
        m_updates->automaticCheck();
    }
    m_updates->reap();
    announce(tick.due);
    if (tick.save && m_fileCommands != nullptr) {
        (void)m_fileCommands->autosave();  // a failure shows in the status bar
    }
}

void MainWindow::announce(const std::vector<reminders::Announcement>& due) {
    for (const reminders::Announcement& announcement : due) {
        m_alarms->announce(announcement);
    }
}

void MainWindow::keepAlarmsForNextRun() {
    m_reminders->keepForNextRun(m_alarms->closeAll());
}

// --- Showing and hiding ------------------------------------------------------------------------

bool MainWindow::trayUsable() const {
    return TrayIcon::available();
}

void MainWindow::showAtStart() {
    m_tray->show();
    // The alarms left from the last run, then the reminders missed while it was closed.
    QMetaObject::invokeMethod(
        this,
        [this] {
            announce(m_reminders->restorePending());
            announce(m_reminders->reminderTick());
        },
        Qt::QueuedConnection);
    if (!m_services.settings.GeneralCheck.startMinimized()) {
        show();
        return;
    }
    if (trayUsable() && m_services.settings.OtherFlag.hideWhenMinimized()) {
        return;  // straight to the tray
    }
    showMinimized();  // without a tray the window must stay reachable
}

void MainWindow::toggleOpenHide() {
    if (isVisible() && !isMinimized()) {
        if (trayUsable()) {
            hide();  // the tray icon brings it back
        } else {
            showMinimized();  // without a tray a hidden window could not be found again
        }
        return;
    }
    bringToFront();
}

void MainWindow::bringToFront() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || !trayUsable()) {
        return;
    }
    // With an alarm open the window goes to the tray without staying minimised, so that answering
    // the alarm brings it back as it was; otherwise it hides when the settings ask so. Both once
    // the minimise has taken effect; the tray icon brings the window back.
    if (m_alarms->openCount() > 0) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                setWindowState(windowState() & ~Qt::WindowMinimized);
                hide();
            },
            Qt::QueuedConnection);
    } else if (m_services.settings.OtherFlag.hideWhenMinimized()) {
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    }
}

// --- Closing -----------------------------------------------------------------------------------

void MainWindow::closeProgram() {
    m_exiting = true;
    hide();
    if (!close()) {
        m_exiting = false;
        show();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_exiting && m_fileCommands != nullptr) {
        // Without a tray, the close box closes as on any window.
        const bool minimize = m_services.settings.OtherFlag.minimizeOnClose() && trayUsable();
        switch (m_fileCommands->closeRequested(minimize)) {
            case commands::FileCommands::CloseAction::Minimize:
                event->ignore();
                showMinimized();
                return;
            case commands::FileCommands::CloseAction::StayOpen:
                event->ignore();
                return;
            case commands::FileCommands::CloseAction::Close:
                break;
        }
    }
    if (!shutDown()) {
        event->ignore();
        m_exiting = false;
        return;
    }
    event->accept();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool MainWindow::shutDown() {
    m_reminderTimer.stop();
    m_housekeepingTimer.stop();
    // Nothing that shows records may stay open while the database is emptied.
    m_tray->menu().close();
    m_favourites->close();
    if (QDialog* dialog = m_treePane->openDialog()) {
        dialog->reject();
    }
    m_find->closeDialog();
    m_itemDialogs->closeDialog();
    m_linkCheck->closeAll();  // its run stops at once
    keepAlarmsForNextRun();
    m_dropZone->keepPosition();
    m_services.settingsStore.writeAtClose(
        m_services.settings, m_fileCommands != nullptr ? m_fileCommands->dataFile() : "",
        currentButtons(), currentLayout());
    const bool closed =
        m_fileCommands == nullptr ||
        (m_terminating ? m_fileCommands->finishCloseUnattended() : m_fileCommands->finishClose());
    if (!closed) {
        m_reminderTimer.start();
        m_housekeepingTimer.start();
        return false;
    }
    m_updates->shutdown();  // after the alarms; waits without dispatching anything
    m_tray->hide();
    m_dropZone->setShown(false);
    return true;
}

void MainWindow::terminate() {
    if (m_terminating) {
        return;  // a second signal: the first is under way
    }
    m_terminating = true;
    m_imports->cancel();
    finishTermination();
}

void MainWindow::finishTermination() {
    // Each open dialog is rejected and its exec() returns; an import stops at its next step. Only
    // then is it safe to empty the database. A dialog that will not close is left after a while.
    constexpr int kTries = 200;
    if (isSaving()) {
        QTimer::singleShot(10, this, &MainWindow::finishTermination);  // a save always ends
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal != nullptr || m_imports->isRunning()) && ++m_terminationTries < kTries) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else if (modal != nullptr) {
            modal->close();
        }
        QTimer::singleShot(10, this, &MainWindow::finishTermination);
        return;
    }
    m_exiting = true;
    hide();
    close();
}

void MainWindow::commitData(QSessionManager&) {
    // The logout may still be cancelled: save, but empty nothing (the closed alarms come back
    // at the next housekeeping tick).
    keepAlarmsForNextRun();
    m_dropZone->keepPosition();
    m_services.settingsStore.writeAtClose(
        m_services.settings, m_fileCommands != nullptr ? m_fileCommands->dataFile() : "",
        currentButtons(), currentLayout(), true);
    if (m_fileCommands != nullptr) {
        (void)m_fileCommands->autosave();  // a failure shows in the status bar
    }
}

// --- FileCommandsHost --------------------------------------------------------------------------

void MainWindow::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
    if (m_dataFileWatcher != nullptr) {
        m_dataFileWatcher->follow(QString::fromStdString(m_fileCommands->dataFile()));
    }
}

bool MainWindow::isSaving() const {
    return m_saveProgress->isSaving();
}

bool MainWindow::isBusy() const {
    return QApplication::activeModalWidget() != nullptr || isSaving() || m_timerWork->mustWait();
}

void MainWindow::keepViewOnNextLoad() {
    m_treePane->keepViewOnNextLoad();
}

void MainWindow::showStatus(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text));
}

// --- Dialogs -----------------------------------------------------------------------------------

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About Linkhaven"),
                       tr("<b>Linkhaven</b> Version %1<br>Web addresses, files and reminders in "
                          "one tree.")
                           .arg(QString::fromUtf8(update::kVersionText)));
}

void MainWindow::showOptions() {
    OptionsDialog dialog(m_services.settings, m_services.prompter, m_services.files, this);
    connect(&dialog, &OptionsDialog::detailColoursChanged, this,
            [this] { m_items->detailPane()->applyColours(); });
    dialog.exec();
    // The file sizes' unit may have changed: the list's cells are formatted as they are drawn.
    m_items->listView()->viewport()->update();
    m_items->detailPane()->refresh();
}

void MainWindow::editColumns() {
    if (!m_items->category()) {
        return;  // the columns are a category's list's
    }
    ColumnsDialog dialog(m_services.settings.layout(settings::ColumnLayout::Kind::Url), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_services.settings.layout(settings::ColumnLayout::Kind::Url) = dialog.layout();
        m_items->applyColumnLayout();
    }
}

void MainWindow::openUserManual(const QString& programFolder, const QString& dataFolder) {
    const QString relative = QStringLiteral("help/manual.html");
    const QString manual = findShippedFile(relative, programFolder, dataFolder);
    if (manual.isEmpty()) {
        m_services.prompter.ask(
            {"The user manual could not be found.", "Linkhaven", commands::Prompter::Buttons::Ok,
             commands::Prompter::Icon::Warning,
             "Looked in:\n" +
                 shippedFilePlaces(relative, programFolder, dataFolder).join('\n').toStdString()});
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
        showStatus("The user manual could not be opened.");
    }
}

void MainWindow::customizeToolbar() {
    ToolbarCustomizeDialog dialog(m_toolbar->entries(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_toolbar->setEntries(dialog.entries());
        m_services.settingsStore.writeButtons(currentButtons());  // stored at once
    }
}

}  // namespace lh::gui

#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>
#include <QUrl>

#include "commands/FileCommands.h"
#include "gui/bookmarks/ImportActions.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/ShellPictures.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "gui/tree/CategoryPane.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

constexpr int kReminderPeriodMs = 52'000;
constexpr int kHousekeepingPeriodMs = 10'000;
constexpr int kHousekeepingSeconds = kHousekeepingPeriodMs / 1000;

// Where "Home Page" leads.
constexpr const char* kHomePage = "https://example.org/linkhaven/";

}  // namespace

MainWindow::MainWindow(ShellServices services, QWidget* parent)
    : QMainWindow(parent), m_services(services) {
    setupUi();
    createActions();
    createMenus();
    connectSignals();
}

MainWindow::~MainWindow() = default;

void MainWindow::setupUi() {
    setObjectName("mainWindow");
    setWindowTitle(QStringLiteral("Linkhaven"));
    setWindowIcon(programIcon());

    m_outer = new QSplitter(Qt::Horizontal, this);
    m_outer->setObjectName("outerSplitter");
    m_treePane = new CategoryPane(m_services.db, m_services.prompter, m_outer);
    m_inner = new QSplitter(Qt::Vertical, m_outer);
    m_inner->setObjectName("innerSplitter");
    m_itemPane = new QTreeView(m_inner);
    m_itemPane->setObjectName("itemPane");
    m_detailPane = new QTreeView(m_inner);
    m_detailPane->setObjectName("detailPane");
    m_outer->setStretchFactor(1, 1);
    setCentralWidget(m_outer);
    statusBar()->setObjectName("statusBar");
    statusBar()->showMessage(tr("Ready"));
    resize(settings::kDefaultWindowWidth, settings::kDefaultWindowHeight);
}

void MainWindow::createActions() {
    m_actions = std::make_unique<ActionRegistry>(this);
    for (const CommandInfo& info : allCommands()) {
        addAction(m_actions->action(info.id));  // shortcuts work without opening a menu
    }
    m_browser = std::make_unique<BrowserLauncher>(
        m_services.prompter, [this] { return m_services.settings.Defbrowser; });
    m_favourites = new FavouritesMenu(m_services.db, this);
    m_favourites->setOpenUrl([this](const std::string& address) { m_browser->openUrl(address); });
    m_tray = new TrayIcon(*m_actions, *m_favourites, this);
    m_toolbar = new MainToolbar(*m_actions, this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_actions->handle(CommandId::OpenHide, [this] { toggleOpenHide(); });
    m_actions->handle(CommandId::About, [this] { showAbout(); });
    m_actions->handle(CommandId::HomePage, [] { QDesktopServices::openUrl(QUrl(kHomePage)); });
    m_actions->handle(CommandId::UserManual, [this] {
        const QString manual =
            QDir(QApplication::applicationDirPath()).filePath("help/manual.html");
        if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
            showStatus("The user manual could not be opened.");
        }
    });
    CategoryPane* pane = m_treePane;
    m_actions->handle(CommandId::NewCategory, [pane] { pane->newCategory(); });
    m_actions->handle(CommandId::DeleteCategory, [pane] { pane->deleteCategory(); });
    m_actions->handle(CommandId::MoveCategory, [pane] { pane->moveCategory(); });
    m_actions->handle(CommandId::CategoryProperties, [pane] { pane->showProperties(); });
    handleViewCommands();
    handleImportCommands();
}

void MainWindow::handleImportCommands() {
    settings::AppSettings& s = m_services.settings;
    m_imports = std::make_unique<ImportActions>(
        m_services.db, m_services.prompter, m_services.files,
        ImportActions::FavoritesFolder{
            [&s] { return s.FavoritesFolder; },
            [&s](const std::string& folder) { s.FavoritesFolder = folder; }},
        this);
    for (CommandId id : {CommandId::ImportFavoritesFolder, CommandId::ImportBookmarkFile,
                         CommandId::ImportFirefox, CommandId::ExportBookmarkFile}) {
        m_actions->handle(id, [this, id] { runImport(id); });
    }
    connect(m_imports.get(), &ImportActions::runningChanged, this, [this](bool running) {
        for (CommandId id : {CommandId::ImportFavoritesFolder, CommandId::ImportBookmarkFile,
                             CommandId::ImportFirefox, CommandId::ExportBookmarkFile}) {
            m_actions->action(id)->setEnabled(!running);
        }
    });
    m_busy = [this] { return m_imports->isRunning(); };
}

void MainWindow::runImport(CommandId id) {
    m_imports->setUrlRate(m_services.settings.URLNormal);
    QString status;
    if (id == CommandId::ExportBookmarkFile) {
        // The selected category when it holds links, otherwise the whole favourites tree.
        const store::CategoryRecord* current = m_treePane->currentCategory();
        const bool links = current != nullptr && current->categoryClass() == store::kClassUrl &&
                           current->id() != store::kRootId;
        status = m_imports->exportBookmarkFile(links ? current->id() : store::kFavoritesId);
    } else {
        status = m_imports->run(int(id));
    }
    if (!status.isEmpty()) {
        statusBar()->showMessage(status);
    }
}

void MainWindow::handleViewCommands() {
    settings::GeneralFlags& flags = m_services.settings.GeneralCheck;
    m_actions->handle(CommandId::Detail, [this, &flags] {
        flags.setShowDetail(!flags.showDetail());
        m_detailPane->setVisible(flags.showDetail());
        m_actions->action(CommandId::Detail)->setChecked(flags.showDetail());
    });
    m_actions->handle(CommandId::Grid, [this, &flags] {
        flags.setGridLines(!flags.gridLines());
        m_actions->action(CommandId::Grid)->setChecked(flags.gridLines());
    });
    m_actions->handle(CommandId::DropZone, [this, &flags] {
        flags.setDropZoneShown(!flags.dropZoneShown());
        m_actions->action(CommandId::DropZone)->setChecked(flags.dropZoneShown());
    });
    m_actions->handle(CommandId::ShowText, [this, &flags] {
        flags.setToolbarText(!flags.toolbarText());
        m_toolbar->setShowText(flags.toolbarText());
        m_actions->action(CommandId::ShowText)->setChecked(flags.toolbarText());
    });
    m_actions->handle(CommandId::CustomizeToolbar, [this] { customizeToolbar(); });
}

void MainWindow::createMenus() {
    for (const MenuPopup& popup : mainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        QMenu* toolbarMenu = nullptr;
        for (const MenuEntry& entry : popup.entries) {
            if (entry.separator) {
                menu->addSeparator();
            } else if (entry.submenu != nullptr) {
                if (toolbarMenu == nullptr) {
                    toolbarMenu = menu->addMenu(QString::fromUtf8(entry.submenu));
                }
                toolbarMenu->addAction(m_actions->action(entry.id));
            } else {
                menu->addAction(m_actions->action(entry.id));
            }
        }
        if (menu->title() == QLatin1String("Category(&E)")) {
            // The four commands follow the selected category; checked as the menu opens.
            connect(menu, &QMenu::aboutToShow, this, [this] {
                const commands::CategoryMenuState s = m_treePane->mainMenuState();
                m_actions->action(CommandId::NewCategory)->setEnabled(s.newCategory);
                m_actions->action(CommandId::DeleteCategory)->setEnabled(s.deleteCategory);
                m_actions->action(CommandId::MoveCategory)->setEnabled(s.moveTo);
                m_actions->action(CommandId::CategoryProperties)->setEnabled(s.properties);
            });
        }
    }
}

void MainWindow::connectSignals() {
    connect(&m_reminderTimer, &QTimer::timeout, this, &MainWindow::reminderTick);
    connect(&m_housekeepingTimer, &QTimer::timeout, this, &MainWindow::housekeepingTick);
    m_reminderTimer.start(kReminderPeriodMs);
    m_housekeepingTimer.start(kHousekeepingPeriodMs);
}

void MainWindow::setFileCommands(commands::FileCommands& fileCommands) {
    m_fileCommands = &fileCommands;
    handleFileCommands();
}

void MainWindow::handleFileCommands() {
    commands::FileCommands& c = *m_fileCommands;
    // Save and Save As tell the user themselves when they fail.
    m_actions->handle(CommandId::NewDatabase, [&c] { c.newDatabase(); });
    m_actions->handle(CommandId::OpenDatabase, [&c] { c.openDatabase(); });
    m_actions->handle(CommandId::SaveDatabase, [&c] { (void)c.save(); });
    m_actions->handle(CommandId::SaveDatabaseAs, [&c] { (void)c.saveAs(); });
    m_actions->handle(CommandId::Exit, [&c] { c.exit(); });
}

void MainWindow::reminderTick() {
    if (m_busy && m_busy()) {
        return;
    }
    if (m_fileCommands != nullptr) {
        m_fileCommands->backupTick(m_services.settings.AutoBackup);
    }
    if (m_reminderWork) {
        m_reminderWork();
    }
}

void MainWindow::housekeepingTick() {
    if (m_busy && m_busy()) {
        return;
    }
    // The save counter must exceed the interval, as it always has.
    m_saveCounter += kHousekeepingSeconds;
    if (m_saveCounter > m_services.settings.AutoSaveTime) {
        m_saveCounter = 0;
        if (m_services.settings.GeneralCheck.autoSave() && m_fileCommands != nullptr) {
            (void)m_fileCommands->autosave();  // a failure shows in the status bar
        }
    }
}

// --- Showing and hiding ------------------------------------------------------------------------

bool MainWindow::trayUsable() const {
    return TrayIcon::available();
}

void MainWindow::showAtStart() {
    m_tray->show();
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
    if (event->type() == QEvent::WindowStateChange && isMinimized() &&
        m_services.settings.OtherFlag.hideWhenMinimized() && trayUsable()) {
        // Hide once the minimise has taken effect; the tray icon brings the window back.
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
    m_services.settingsStore.writeAtClose(
        m_services.settings, m_fileCommands != nullptr ? m_fileCommands->dataFile() : "",
        currentButtons(), currentLayout());
    if (m_fileCommands != nullptr && !m_fileCommands->finishClose()) {
        m_reminderTimer.start();
        m_housekeepingTimer.start();
        return false;
    }
    m_tray->hide();
    return true;
}

void MainWindow::commitData(QSessionManager&) {
    // The logout may still be cancelled: save, but empty nothing.
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
}

void MainWindow::showStatus(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text));
}

// --- Dialogs -----------------------------------------------------------------------------------

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About Linkhaven"),
                       tr("<b>Linkhaven</b> %1<br>Web addresses, files and reminders in one tree.")
                           .arg(QApplication::applicationVersion()));
}

void MainWindow::customizeToolbar() {
    ToolbarCustomizeDialog dialog(m_toolbar->entries(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_toolbar->setEntries(dialog.entries());
        m_services.settingsStore.writeButtons(currentButtons());  // stored at once
    }
}

}  // namespace lh::gui

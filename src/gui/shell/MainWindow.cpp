#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>

#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/ShellPictures.h"
#include "gui/shell/ToolbarCustomizeDialog.h"
#include "gui/shell/TrayIcon.h"
#include "store/Database.h"
#include "store/ObserverList.h"

namespace lh::gui {

namespace {

constexpr int kReminderPeriodMs = 52'000;
constexpr int kHousekeepingPeriodMs = 10'000;

}  // namespace

MainWindow::MainWindow(ShellServices services, QWidget* parent)
    : QMainWindow(parent), m_services(services) {
    setupUi();
    createActions();
    createMenus();
    connectSignals();
}

MainWindow::~MainWindow() {
    m_services.observers.remove(m_favourites);
}

void MainWindow::setupUi() {
    setObjectName("mainWindow");
    setWindowTitle(QStringLiteral("Linkhaven"));
    setWindowIcon(programIcon());

    m_outer = new QSplitter(Qt::Horizontal, this);
    m_outer->setObjectName("outerSplitter");
    m_inner = new QSplitter(Qt::Vertical, m_outer);
    m_inner->setObjectName("innerSplitter");
    m_treePane = new QTreeView(m_outer);
    m_treePane->setObjectName("categoryPane");
    m_outer->insertWidget(0, m_treePane);
    m_itemPane = new QTreeView(m_inner);
    m_itemPane->setObjectName("itemPane");
    m_detailPane = new QTreeView(m_inner);
    m_detailPane->setObjectName("detailPane");
    m_outer->setStretchFactor(1, 1);
    setCentralWidget(m_outer);
    statusBar()->setObjectName("statusBar");
    statusBar()->showMessage(tr("Ready"));
    resize(590, 400);
}

void MainWindow::createActions() {
    m_actions = std::make_unique<ActionRegistry>(this);
    for (const CommandInfo& info : allCommands()) {
        addAction(m_actions->action(info.id));  // shortcuts work without opening a menu
    }
    m_browser =
        std::make_unique<BrowserLauncher>(m_services.prompter, [] { return std::string(); });
    m_favourites = new FavouritesMenu(m_services.db, this);
    m_favourites->setOpenUrl([this](const std::string& address) { m_browser->openUrl(address); });
    m_services.observers.add(m_favourites);
    m_tray = new TrayIcon(*m_actions, *m_favourites, this);
    m_toolbar = new MainToolbar(*m_actions, this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_actions->handle(CommandId::OpenHide, [this] { toggleOpenHide(); });
    m_actions->handle(CommandId::Exit, [this] { exitProgram(); });
    m_actions->handle(CommandId::About, [this] { showAbout(); });
    m_actions->handle(CommandId::ShowText, [this] {
        m_toolbar->setShowText(!m_toolbar->showText());
        m_actions->action(CommandId::ShowText)->setChecked(m_toolbar->showText());
    });
    m_actions->handle(CommandId::CustomizeToolbar, [this] { customizeToolbar(); });
    m_actions->handle(CommandId::Detail, [this] {
        m_detailPane->setVisible(m_actions->action(CommandId::Detail)->isChecked());
    });
    m_actions->action(CommandId::Detail)->setChecked(true);
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
    }
}

void MainWindow::connectSignals() {
    connect(&m_reminderTimer, &QTimer::timeout, this, [] {});
    connect(&m_housekeepingTimer, &QTimer::timeout, this, [] {});
    m_reminderTimer.start(kReminderPeriodMs);
    m_housekeepingTimer.start(kHousekeepingPeriodMs);
    m_tray->show();
}

void MainWindow::setTimerWork(std::function<void()> reminderTick,
                              std::function<void()> housekeepingTick) {
    m_reminderTimer.disconnect(this);
    m_housekeepingTimer.disconnect(this);
    connect(&m_reminderTimer, &QTimer::timeout, this, std::move(reminderTick));
    connect(&m_housekeepingTimer, &QTimer::timeout, this, std::move(housekeepingTick));
}

void MainWindow::toggleOpenHide() {
    if (isVisible() && !isMinimized()) {
        if (TrayIcon::available()) {
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

void MainWindow::exitProgram() {
    m_exiting = true;
    if (!close()) {
        m_exiting = false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_exiting && m_closeRules.minimizeOnClose && TrayIcon::available()) {
        event->ignore();
        showMinimized();
        return;
    }
    emit closing();
    m_reminderTimer.stop();
    m_housekeepingTimer.stop();
    m_tray->menu().close();
    m_tray->hide();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() &&
        m_closeRules.hideWhenMinimized && TrayIcon::available()) {
        // Hide once the minimise has taken effect; the tray icon brings the window back.
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    }
}

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About Linkhaven"),
                       tr("<b>Linkhaven</b> %1<br>Web addresses, files and reminders in one tree.")
                           .arg(QApplication::applicationVersion()));
}

void MainWindow::customizeToolbar() {
    ToolbarCustomizeDialog dialog(m_toolbar->entries(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_toolbar->setEntries(dialog.entries());
    }
}

}  // namespace lh::gui

#include "gui/dropzone/DropZone.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

#include "commands/DropZonePlacement.h"
#include "commands/DroppedInput.h"
#include "gui/dropzone/DropZoneWindow.h"
#include "gui/items/ItemDialogs.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/TrayIcon.h"
#include "gui/uikit/StoredColour.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

commands::DesktopScreens desktopScreens() {
    commands::DesktopScreens screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary) {
            screens.primary = screens.available.size();
        }
        const QRect r = screen->availableGeometry();
        screens.available.push_back({r.left(), r.top(), r.width(), r.height()});
    }
    return screens;
}

}  // namespace

bool DropZone::desktopPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

DropZone::DropZone(Services services, bool alphaShaped, QObject* parent)
    : QObject(parent), m_services(std::move(services)), m_alphaShaped(alphaShaped) {
    const settings::AppSettings& s = m_services.settings;
    DropZoneWindow::Look look;
    look.hands = {storedColour(s.HourColor), storedColour(s.MinuteColor),
                  storedColour(s.SecondColor)};
    look.opacity = commands::dropZoneOpacity(s.Flag, s.Alpha);
    look.alphaShaped = alphaShaped;
    m_window = std::make_unique<DropZoneWindow>(m_services.clock, look);
    m_window->setRefuseDrops([this] { return m_services.tray.waitsForAnswer(); });
    connect(m_window.get(), &DropZoneWindow::doubleClicked, this,
            [this] { m_services.actions.action(CommandId::OpenHide)->trigger(); });
    connect(m_window.get(), &DropZoneWindow::menuRequested, this, &DropZone::showMenu);
    connect(m_window.get(), &DropZoneWindow::dropped, this, &DropZone::takeDrop);
    if (!m_alphaShaped) {
        followScreens();
    }
}

void DropZone::followScreens() {
    // Queued: the screen list is up to date once the change has been handled.
    const auto follow = [this](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, &DropZone::keepWithinReach,
                Qt::QueuedConnection);
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        follow(screen);
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, follow);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &DropZone::keepWithinReach,
            Qt::QueuedConnection);
}

DropZone::~DropZone() = default;

void DropZone::restore() {
    if (!m_alphaShaped) {
        const commands::DropZonePoint at = commands::placeDropZone(
            m_services.settings.WDropX, m_services.settings.WDropY, desktopScreens());
        m_window->move(at.x, at.y);
        m_placed = true;
    }
    setShown(m_services.settings.GeneralCheck.dropZoneShown());
}

void DropZone::setShown(bool shown) {
    m_window->setVisible(shown);
}

void DropZone::keepPosition() {
    if (m_alphaShaped || !m_placed) {
        return;
    }
    m_services.settings.WDropX = m_window->x();
    m_services.settings.WDropY = m_window->y();
}

void DropZone::keepWithinReach() {
    const commands::DesktopScreens screens = desktopScreens();
    if (m_placed && !commands::dropZoneWhollyOnScreen(m_window->x(), m_window->y(), screens)) {
        const commands::DropZonePoint at =
            commands::placeDropZone(m_window->x(), m_window->y(), screens);
        m_window->move(at.x, at.y);
    }
}

void DropZone::showMenu(QPoint globalPos) {
    if (m_services.tray.waitsForAnswer()) {
        return;
    }
    QMenu& menu = m_services.tray.menu();
    menu.winId();  // its window must exist to be given a parent
    menu.windowHandle()->setTransientParent(m_window->windowHandle());
    m_window->raise();
    m_window->activateWindow();
    menu.popup(globalPos);
}

void DropZone::takeDrop(const DroppedData& data) {
    if (data.hasFiles) {
        const commands::DroppedFiles files = commands::keepDroppedFiles(data.files);
        if (files.kept.empty()) {
            m_services.showStatus(files.status());
            return;
        }
        const std::optional<store::CategoryId> current = m_services.currentCategory();
        m_services.dialogs.addBatchFiles(files.kept, store::kRootId,
                                         commands::droppedFilesCategory(m_services.db, current));
        return;
    }
    if (const std::optional<std::string> address = commands::droppedAddress(data.text)) {
        m_services.dialogs.addUrl("", *address);
    } else {
        m_services.showStatus(std::string(commands::kNoDroppedAddressStatus));
    }
}

}  // namespace lh::gui

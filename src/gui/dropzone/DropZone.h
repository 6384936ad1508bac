#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "store/Kinds.h"

namespace lh::store {
class Database;
}
namespace lh::settings {
struct AppSettings;
}
namespace lh::platform {
class Clock;
}

namespace lh::gui {

class ActionRegistry;
class DropZoneWindow;
class ItemDialogs;
class TrayIcon;
struct DroppedData;

// The DropZone and what it does: shown and placed from the settings, a double click runs
// "Open/Hide Linkhaven", a right click offers the tray menu, dropped files open Add Bach File and a
// dropped link Add Url. Owns its window.
class DropZone : public QObject {
    Q_OBJECT

public:
    struct Services {
        const store::Database& db;
        settings::AppSettings& settings;
        const platform::Clock& clock;
        ActionRegistry& actions;
        TrayIcon& tray;
        ItemDialogs& dialogs;
        // The category the main window shows, if any.
        std::function<std::optional<store::CategoryId>()> currentCategory;
        // Says on the status bar why a drop added nothing.
        std::function<void(const std::string&)> showStatus;
    };

    // `alphaShaped`: the desktop composites windows and places them itself (Wayland); the
    // DropZone then neither places itself nor keeps its position.
    DropZone(Services services, bool alphaShaped, QObject* parent = nullptr);
    ~DropZone() override;

    // True on a desktop that places windows itself and composites them (Wayland).
    static bool desktopPlacesWindows();

    // Puts the window where the settings keep it (moved within reach) and shows it when the
    // settings say it is shown.
    void restore();
    // Shows or hides the window.
    void setShown(bool shown);
    // Writes the window's place into the settings (not on a desktop that places windows).
    void keepPosition();

    DropZoneWindow& window() { return *m_window; }

private:
    void showMenu(QPoint globalPos);
    void takeDrop(const DroppedData& data);
    // Brings the window back within reach when the screens change under it.
    void followScreens();
    void keepWithinReach();

    Services m_services;
    bool m_alphaShaped;
    bool m_placed = false;
    std::unique_ptr<DropZoneWindow> m_window;
};

}  // namespace lh::gui

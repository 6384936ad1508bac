#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "bookmarks/FirefoxProfile.h"
#include "bookmarks/ImportResult.h"
#include "store/Kinds.h"

class QProgressDialog;
class QWidget;

namespace lh::platform {
class Clock;
}
namespace lh::store {
class CategoryRecord;
class Database;
}  // namespace lh::store
namespace lh::settings {
struct AppSettings;
}
namespace lh::commands {
class FileChooser;
class Prompter;
}  // namespace lh::commands

namespace lh::gui {

class ActionRegistry;

// The File menu's import and export commands. It connects their four actions from the registry,
// keeps them disabled while one of them runs, and tells the status bar's text of each finished
// command through finished().
//
// Each command asks what it needs through the Prompter and the FileChooser, runs the import or
// the export on the Database with a modal progress dialog (shown only when the work lasts longer
// than a moment; its Cancel keeps what was imported so far, and leaves no exported file) and
// returns the text for the status bar. Until the dialog shows, the windows keep painting and
// input waits. Errors (a
// file that is not a bookmark file or cannot be read, no Firefox profile, an export that cannot
// be written) are also shown in a warning box. While a command runs, isRunning() is true: the
// shell must hold autosave, alarms and tree edits until it is false again, since the progress
// dialog keeps the event loop running.
class ImportActions : public QObject {
    Q_OBJECT

public:
    // What the commands work with; everything must outlive this object. The settings give the
    // rate of imported links (`URLNormal`) and remember the Favorites folder (`FavoritesFolder`).
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        commands::FileChooser& chooser;
        settings::AppSettings& settings;
    };

    // `actions` must outlive this object; `window` (may be null) is the parent of the progress
    // dialog.
    ImportActions(ActionRegistry& actions, Services services, QWidget* window = nullptr,
                  QObject* parent = nullptr);
    ~ImportActions() override;

    // How long an import runs before the progress dialog shows (500 ms until set).
    void setProgressDelay(std::chrono::milliseconds delay) { m_delay = delay; }
    // Where the Firefox import looks for profiles (this process's environment until set).
    void setFirefoxEnvironment(bookmarks::FirefoxEnvironment env) { m_firefox = std::move(env); }
    // The clock that stamps imported items (the system clock until set; not owned).
    void setClock(const platform::Clock& clock) { m_clock = &clock; }
    // Where "Export Bookmark file..." asks for the category the tree shows (null: none); it
    // writes that one when it holds links, otherwise the favourites (always until set).
    void setCurrentCategory(std::function<const store::CategoryRecord*()> current) {
        m_currentCategory = std::move(current);
    }

    // True while a command runs; commands called meanwhile do nothing and return "".
    bool isRunning() const { return m_running; }
    // Ends a running import at its next step, keeping what was imported (the program is asked to
    // end).
    void cancel() { m_cancelled = m_running; }

    // Imports the remembered Favorites folder; asks for a folder (and remembers it) when none is
    // remembered or it is gone. "" when the user cancelled.
    QString importFavoritesFolder();
    // Asks for a bookmark file and imports it. "" when the user cancelled.
    QString importBookmarkFile();
    // Imports the bookmarks of the Firefox profile found by profiles.ini.
    QString importFirefox();
    // Asks where and writes category `categoryId` (the favourites by default) as a browser
    // bookmark file. "" when the user cancelled.
    QString exportBookmarkFile(store::CategoryId categoryId = store::kFavoritesId);

signals:
    // A command started (true) or ended (false).
    void runningChanged(bool running);
    // An import got `done` of `total` (0 when unknown) units of work.
    void progressed(qint64 done, qint64 total);
    // A command chosen from the menu ended with `status` for the status bar (never empty).
    void finished(const QString& status);

private:
    void connectActions();
    void updateEnabled();
    void exportCurrentScope();
    void tellFinished(const QString& status);
    QString runImport(
        const std::function<bookmarks::ImportResult(const bookmarks::ImportOptions&)>& work);
    QString report(const std::string& text, bool failed);
    // A command's work begins; its progress dialog, when one shows, says `label`.
    void startProgress(const QString& label);
    bool onProgress(std::uint64_t done, std::uint64_t total);
    void showProgressDialog();

    ActionRegistry& m_actions;
    Services m_services;
    QPointer<QWidget> m_window;
    std::chrono::milliseconds m_delay{500};
    bookmarks::FirefoxEnvironment m_firefox;
    const platform::Clock* m_clock;
    std::function<const store::CategoryRecord*()> m_currentCategory;
    bool m_running = false;
    bool m_cancelled = false;
    std::chrono::steady_clock::time_point m_started;
    QString m_progressLabel;
    // Lives only while an import runs past the delay.
    std::unique_ptr<QProgressDialog> m_progress;
};

}  // namespace lh::gui

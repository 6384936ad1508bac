#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
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
class Database;
}
namespace lh::commands {
class FileChooser;
class Prompter;
}  // namespace lh::commands

namespace lh::gui {

// The File menu's import and export commands, ready to be wired to their actions: each asks
// what it needs through the Prompter and the FileChooser, runs the import on the Database with
// a modal progress dialog (shown only when the work lasts longer than a moment; its Cancel keeps
// what was imported so far) and returns the text for the status bar. Errors (a file that is not
// a bookmark file or cannot be read, no Firefox profile, an export that cannot be written) are
// also shown in a warning box. While a command runs, isRunning() is true: the shell must hold
// autosave, alarms and tree edits until it is false again, since the progress dialog keeps the
// event loop running.
class ImportActions : public QObject {
    Q_OBJECT

public:
    // The command ids of the File menu.
    static constexpr int kImportFavorites = 32830;     // "Import IE Favorites"
    static constexpr int kImportBookmarkFile = 32831;  // "Import Favorites From Bookmark file"
    static constexpr int kImportFirefox = 32832;       // "Import Firefox Bookmark"

    // Where the Favorites folder is remembered (the `Detailpic` setting): `read` gives the
    // remembered folder (empty for none), `remember` stores a newly chosen one.
    struct FavoritesFolder {
        std::function<std::string()> read;
        std::function<void(const std::string&)> remember;
    };

    // `db`, `prompter` and `chooser` must outlive this object; `window` (may be null) is the
    // parent of the progress dialog.
    ImportActions(store::Database& db, commands::Prompter& prompter, commands::FileChooser& chooser,
                  FavoritesFolder favoritesFolder, QWidget* window = nullptr,
                  QObject* parent = nullptr);
    ~ImportActions() override;

    // The rate given to imported URL items (the setting `URLNormal`; 3 until set).
    void setUrlRate(std::uint8_t rate) { m_rate = rate; }
    // How long an import runs before the progress dialog shows (500 ms until set).
    void setProgressDelay(std::chrono::milliseconds delay) { m_delay = delay; }
    // Where the Firefox import looks for profiles (this process's environment until set).
    void setFirefoxEnvironment(bookmarks::FirefoxEnvironment env) { m_firefox = std::move(env); }
    // The clock that stamps imported items (the system clock until set; not owned).
    void setClock(const platform::Clock& clock) { m_clock = &clock; }

    // True while a command runs; commands called meanwhile do nothing and return "".
    bool isRunning() const { return m_running; }

    // Runs the command with this id (the three above); "" for another id.
    QString run(int commandId);
    // 32830: imports the remembered Favorites folder; asks for a folder (and remembers it) when
    // none is remembered or it is gone. "" when the user cancelled.
    QString importFavoritesFolder();
    // 32831: asks for a bookmark file and imports it. "" when the user cancelled.
    QString importBookmarkFile();
    // 32832: imports the bookmarks of the Firefox profile found by profiles.ini.
    QString importFirefox();
    // "Export Bookmark file...": asks where and writes category `categoryId` (the favourites
    // by default) as a browser bookmark file. "" when the user cancelled.
    QString exportBookmarkFile(std::uint16_t categoryId = store::kFavoritesId);

signals:
    // A command started (true) or ended (false).
    void runningChanged(bool running);
    // An import got `done` of `total` (0 when unknown) units of work.
    void progressed(qint64 done, qint64 total);

private:
    QString runImport(
        const std::function<bookmarks::ImportResult(const bookmarks::ImportOptions&)>& work);
    QString report(const std::string& text, bool failed);
    bool onProgress(std::uint64_t done, std::uint64_t total);

    store::Database& m_db;
    commands::Prompter& m_prompter;
    commands::FileChooser& m_chooser;
    FavoritesFolder m_favoritesFolder;
    QPointer<QWidget> m_window;
    std::uint8_t m_rate = 3;
    std::chrono::milliseconds m_delay{500};
    bookmarks::FirefoxEnvironment m_firefox;
    const platform::Clock* m_clock;
    bool m_running = false;
    std::chrono::steady_clock::time_point m_started;
    QProgressDialog* m_progress = nullptr;
};

}  // namespace lh::gui

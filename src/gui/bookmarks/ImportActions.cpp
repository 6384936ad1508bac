#include "gui/bookmarks/ImportActions.h"

#include <QApplication>
#include <QProgressDialog>

#include "bookmarks/BookmarkExport.h"
#include "bookmarks/BookmarkImport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/FirefoxImport.h"
#include "commands/FileChooser.h"
#include "commands/Prompter.h"
#include "platform/Clock.h"
#include "platform/Folder.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

const char* const kBookmarkFilter = "Bookmark File (*.html *.htm);;All Files (*)";

// Marks a command as running for as long as it lives.
class RunningScope {
public:
    RunningScope(bool& flag, ImportActions& actions) : m_flag(flag), m_actions(actions) {
        m_flag = true;
        emit m_actions.runningChanged(true);
    }
    ~RunningScope() {
        m_flag = false;
        emit m_actions.runningChanged(false);
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    bool& m_flag;
    ImportActions& m_actions;
};

}  // namespace

ImportActions::ImportActions(store::Database& db, commands::Prompter& prompter,
                             commands::FileChooser& chooser, FavoritesFolder favoritesFolder,
                             QWidget* window, QObject* parent)
    : QObject(parent),
      m_db(db),
      m_prompter(prompter),
      m_chooser(chooser),
      m_favoritesFolder(std::move(favoritesFolder)),
      m_window(window),
      m_firefox(bookmarks::FirefoxEnvironment::current()),
      m_clock(&platform::systemClock()) {}

ImportActions::~ImportActions() {
    delete m_progress;
}

QString ImportActions::run(int commandId) {
    switch (commandId) {
        case kImportFavorites:
            return importFavoritesFolder();
        case kImportBookmarkFile:
            return importBookmarkFile();
        case kImportFirefox:
            return importFirefox();
        default:
            return {};
    }
}

QString ImportActions::importFavoritesFolder() {
    if (m_running) {
        return {};
    }
    std::string folder = m_favoritesFolder.read ? m_favoritesFolder.read() : std::string();
    if (folder.empty() || !platform::isFolder(folder)) {
        const auto chosen = m_chooser.chooseFolder({"Import IE Favorites", folder, {}, {}});
        if (!chosen || chosen->empty()) {
            return {};
        }
        folder = *chosen;
        if (m_favoritesFolder.remember) {
            m_favoritesFolder.remember(folder);
        }
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importFavoritesFolder(m_db, folder, store::kFavoritesId, options);
    });
}

QString ImportActions::importBookmarkFile() {
    if (m_running) {
        return {};
    }
    const auto path = m_chooser.chooseFileToOpen(
        {"Import Favorites From Bookmark file", {}, {}, kBookmarkFilter});
    if (!path || path->empty()) {
        return {};
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importBookmarkFile(m_db, *path, options);
    });
}

QString ImportActions::importFirefox() {
    if (m_running) {
        return {};
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importFirefox(m_db, m_firefox, options);
    });
}

QString ImportActions::exportBookmarkFile(std::uint16_t categoryId) {
    if (m_running) {
        return {};
    }
    const auto path =
        m_chooser.chooseFileToSave({"Export Bookmark file", {}, "bookmarks.html", kBookmarkFilter});
    if (!path || path->empty()) {
        return {};
    }
    RunningScope running(m_running, *this);
    const bookmarks::ExportResult result = bookmarks::exportBookmarkFile(m_db, *path, categoryId);
    if (!result.error.empty()) {
        return report(result.error, true);
    }
    return report("Exported " + std::to_string(result.links) + " links in " +
                      std::to_string(result.categories) + " categories to \"" + *path + "\".",
                  false);
}

QString ImportActions::runImport(
    const std::function<bookmarks::ImportResult(const bookmarks::ImportOptions&)>& work) {
    RunningScope running(m_running, *this);
    m_started = std::chrono::steady_clock::now();
    bookmarks::ImportOptions options;
    options.rate = m_rate;
    options.clock = m_clock;
    options.progress = [this](std::uint64_t done, std::uint64_t total) {
        return onProgress(done, total);
    };
    const bookmarks::ImportResult result = work(options);
    delete m_progress;
    m_progress = nullptr;
    return report(bookmarks::summaryText(result), !result.error.empty());
}

bool ImportActions::onProgress(std::uint64_t done, std::uint64_t total) {
    emit progressed(static_cast<qint64>(done), static_cast<qint64>(total));
    if (m_progress == nullptr && std::chrono::steady_clock::now() - m_started >= m_delay) {
        m_progress = new QProgressDialog(QStringLiteral("Importing bookmarks..."),
                                         QStringLiteral("Cancel"), 0, 1000, m_window);
        m_progress->setObjectName(QStringLiteral("importProgressDialog"));
        m_progress->setWindowTitle(QStringLiteral("Linkhaven"));
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(0);
        m_progress->show();
    }
    if (m_progress == nullptr) {
        return true;
    }
    if (total == 0) {
        m_progress->setMaximum(0);  // a folder walk: no end known
    } else {
        m_progress->setValue(static_cast<int>(done * 1000 / total));
    }
    QApplication::processEvents();
    return !m_progress->wasCanceled();
}

QString ImportActions::report(const std::string& text, bool failed) {
    if (failed) {
        m_prompter.tell(text, commands::Prompter::Icon::Warning);
    }
    return QString::fromStdString(text);
}

}  // namespace lh::gui

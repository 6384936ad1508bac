#include "gui/bookmarks/ImportActions.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>

#include "bookmarks/BookmarkExport.h"
#include "bookmarks/BookmarkImport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/FirefoxImport.h"
#include "commands/ExportScope.h"
#include "commands/FileChooser.h"
#include "commands/Prompter.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/uikit/OffThreadStep.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

const char* const kBookmarkFilter = "Bookmark File (*.html *.htm);;All Files (*)";

// The File menu's commands this object carries.
constexpr CommandId kCommands[] = {CommandId::ImportFavoritesFolder, CommandId::ImportFirefox,
                                   CommandId::ImportBookmarkFile, CommandId::ExportBookmarkFile};

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

ImportActions::ImportActions(ActionRegistry& actions, Services services, QWidget* window,
                             QObject* parent)
    : QObject(parent),
      m_actions(actions),
      m_services(services),
      m_window(window),
      m_firefox(bookmarks::FirefoxEnvironment::current()),
      m_clock(&platform::systemClock()) {
    connectActions();
    connect(this, &ImportActions::runningChanged, this, &ImportActions::updateEnabled);
    updateEnabled();
}

ImportActions::~ImportActions() = default;

void ImportActions::connectActions() {
    const auto on = [this](CommandId id, QString (ImportActions::*command)()) {
        connect(m_actions.action(id), &QAction::triggered, this,
                [this, command] { tellFinished((this->*command)()); });
    };
    on(CommandId::ImportFavoritesFolder, &ImportActions::importFavoritesFolder);
    on(CommandId::ImportBookmarkFile, &ImportActions::importBookmarkFile);
    on(CommandId::ImportFirefox, &ImportActions::importFirefox);
    connect(m_actions.action(CommandId::ExportBookmarkFile), &QAction::triggered, this,
            &ImportActions::exportCurrentScope);
}

void ImportActions::updateEnabled() {
    for (CommandId id : kCommands) {
        m_actions.action(id)->setEnabled(!m_running);
    }
}

void ImportActions::exportCurrentScope() {
    const store::CategoryRecord* current = m_currentCategory ? m_currentCategory() : nullptr;
    tellFinished(exportBookmarkFile(commands::exportScope(current)));
}

void ImportActions::tellFinished(const QString& status) {
    if (!status.isEmpty()) {
        emit finished(status);
    }
}

QString ImportActions::importFavoritesFolder() {
    if (m_running) {
        return {};
    }
    std::string folder = m_services.settings.FavoritesFolder;
    if (folder.empty() || !platform::isFolder(folder)) {
        const auto chosen =
            m_services.chooser.chooseFolder({"Import IE Favorites", folder, {}, {}});
        if (!chosen || chosen->empty()) {
            return {};
        }
        folder = *chosen;
        m_services.settings.FavoritesFolder = folder;
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importFavoritesFolder(m_services.db, folder, store::kFavoritesId,
                                                options);
    });
}

QString ImportActions::importBookmarkFile() {
    if (m_running) {
        return {};
    }
    const auto path = m_services.chooser.chooseFileToOpen(
        {"Import Favorites From Bookmark file", {}, {}, kBookmarkFilter});
    if (!path || path->empty()) {
        return {};
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importBookmarkFile(m_services.db, *path, options);
    });
}

QString ImportActions::importFirefox() {
    if (m_running) {
        return {};
    }
    return runImport([&](const bookmarks::ImportOptions& options) {
        return bookmarks::importFirefox(m_services.db, m_firefox, options);
    });
}

QString ImportActions::exportBookmarkFile(store::CategoryId categoryId) {
    if (m_running) {
        return {};
    }
    const auto path = m_services.chooser.chooseFileToSave(
        {"Export Bookmark file", {}, "bookmarks.html", kBookmarkFilter});
    if (!path || path->empty()) {
        return {};
    }
    RunningScope running(m_running, *this);
    startProgress(QStringLiteral("Exporting bookmarks..."));
    bookmarks::ExportHooks hooks;
    hooks.progress = [this](std::size_t done, std::size_t total) {
        return onProgress(done, total);
    };
    hooks.finish = [this](const std::function<void()>& step) {
        // Until the progress dialog shows, clicks and keys wait.
        runOffThread(step, m_progress != nullptr ? QEventLoop::AllEvents
                                                 : QEventLoop::ExcludeUserInputEvents);
    };
    const bookmarks::ExportResult result = bookmarks::exportBookmarkFile(
        m_services.db, *path, categoryId, platform::realFileSystem(), hooks);
    m_progress.reset();
    if (result.cancelled) {
        return report("Export cancelled. Nothing was written to \"" + *path + "\".", false);
    }
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
    startProgress(QStringLiteral("Importing bookmarks..."));
    bookmarks::ImportOptions options;
    options.rate = m_services.settings.URLNormal;
    options.clock = m_clock;
    options.progress = [this](std::uint64_t done, std::uint64_t total) {
        return onProgress(done, total);
    };
    const bookmarks::ImportResult result = work(options);
    m_progress.reset();
    return report(bookmarks::summaryText(result), !result.error.empty());
}

void ImportActions::startProgress(const QString& label) {
    m_cancelled = false;
    m_started = std::chrono::steady_clock::now();
    m_progressLabel = label;
}

bool ImportActions::onProgress(std::uint64_t done, std::uint64_t total) {
    emit progressed(static_cast<qint64>(done), static_cast<qint64>(total));
    if (m_cancelled) {
        return false;
    }
    if (m_progress == nullptr && std::chrono::steady_clock::now() - m_started >= m_delay) {
        showProgressDialog();
    }
    if (m_progress == nullptr) {
        // The windows keep painting; clicks and keys wait until the work is done.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !m_cancelled;
    }
    if (total == 0) {
        m_progress->setMaximum(0);  // a folder walk: no end known
    } else {
        m_progress->setValue(static_cast<int>(done * 1000 / total));
    }
    QApplication::processEvents();
    return !m_progress->wasCanceled() && !m_cancelled;
}

void ImportActions::showProgressDialog() {
    // Application-modal, so nothing can close the window under it while it is owned here.
    m_progress = std::make_unique<QProgressDialog>(m_progressLabel, QStringLiteral("Cancel"), 0,
                                                   1000, m_window);
    m_progress->setObjectName(QStringLiteral("importProgressDialog"));
    m_progress->setWindowTitle(QStringLiteral("Linkhaven"));
    m_progress->setWindowModality(Qt::ApplicationModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->show();
}

QString ImportActions::report(const std::string& text, bool failed) {
    if (failed) {
        m_services.prompter.tell(text, commands::Prompter::Icon::Warning);
    }
    return QString::fromStdString(text);
}

}  // namespace lh::gui

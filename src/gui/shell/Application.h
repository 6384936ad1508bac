#pragma once

#include <QObject>
#include <QStringList>

#include <memory>
#include <string>

#include "commands/FolderMemoryChooser.h"
#include "gui/shell/DialogFileChooser.h"
#include "gui/shell/MessageBoxPrompter.h"
#include "gui/shell/QtBackupChooser.h"
#include "gui/shell/QtSettingsBackend.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/TerminationWatcher.h"
#include "platform/Clock.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace lh::commands {
class FileCommands;
}

namespace lh::gui {

class CommandHandoff;
class MainWindow;

// The running program: one Database, one AppSettings, the data-file commands and the main
// window, started and ended in order.
class Application : public QObject {
    Q_OBJECT

public:
    // `arguments` without the program name.
    explicit Application(QStringList arguments, QObject* parent = nullptr);
    ~Application() override;

    // Starts up. False when the program must end at once: another instance took the request, or
    // the user declined every way to open a database.
    bool start();

private:
    bool handOverToRunningInstance();
    bool takeRequestFromSecondStart(const QString& fileToOpen);
    std::string currentDataFile() const;
    static std::string homeFolder();

    QStringList m_arguments;
    const platform::SystemClock m_clock;
    store::Database m_db{m_clock};
    QtSettingsBackend m_backend;
    settings::SettingsStore m_settingsStore{m_backend};
    settings::AppSettings m_settings;
    MessageBoxPrompter m_prompter;
    DialogFileChooser m_files;
    // Every file dialog starts in its last folder or the data file's.
    commands::FolderMemoryChooser m_chooser{m_files, m_backend,
                                            [this] { return currentDataFile(); }, homeFolder()};
    QtBackupChooser m_backups;
    SingleInstance m_instance;
    std::unique_ptr<TerminationWatcher> m_termination;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<commands::FileCommands> m_fileCommands;
    std::unique_ptr<CommandHandoff> m_handoff;
};

}  // namespace lh::gui

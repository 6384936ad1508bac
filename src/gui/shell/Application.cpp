#include "gui/shell/Application.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSessionManager>

#include "commands/FileCommands.h"
#include "gui/reminders/AlarmSound.h"
#include "gui/shell/CommandHandoff.h"
#include "gui/shell/MainWindow.h"
#include "platform/UserFolders.h"
#include "store/DataFileLocation.h"

namespace lh::gui {

namespace {

std::vector<std::string> toStrings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) {
        out.push_back(s.toStdString());
    }
    return out;
}

}  // namespace

Application::Application(QStringList arguments, QObject* parent)
    : QObject(parent), m_arguments(std::move(arguments)) {}

Application::~Application() {
    m_window.reset();  // the window's views go before the records they show
}

bool Application::handOverToRunningInstance() {
    const auto file =
        store::dataFileFromCommandLine(toStrings(m_arguments), platform::currentFolder());
    const QString path = file ? QString::fromStdString(*file) : QString();
    switch (m_instance.askRunningInstance(path)) {
        case SingleInstance::Reply::Done:
            return true;
        case SingleInstance::Reply::Busy:
            QMessageBox::information(
                nullptr, QStringLiteral("Linkhaven"),
                QStringLiteral("Linkhaven is already running and waits for an answer in one of "
                               "its windows, so it cannot open %1 now. Answer it, then open the "
                               "file again.")
                    .arg(path));
            return true;
        case SingleInstance::Reply::NoAnswer:
            break;
    }
    return false;
}

bool Application::takeRequestFromSecondStart(const QString& fileToOpen) {
    if (QApplication::activeModalWidget() != nullptr) {
        return false;  // a question is open: the other start tells its user
    }
    m_window->bringToFront();
    if (!fileToOpen.isEmpty()) {
        m_fileCommands->openDatabaseFile(fileToOpen.toStdString());
    }
    return true;
}

std::string Application::currentDataFile() const {
    return m_fileCommands ? m_fileCommands->dataFile() : std::string();
}

std::string Application::homeFolder() {
    return QDir::homePath().toStdString();
}

bool Application::start() {
    if (handOverToRunningInstance()) {
        return false;
    }
    m_instance.listen();

    m_settingsStore.readAtStart(m_settings);
    fillDefaultAlarmSound(m_settings);

    m_window = std::make_unique<MainWindow>(
        ShellServices{m_db, m_prompter, m_chooser, m_settings, m_settingsStore});
    m_prompter.setParent(m_window.get());
    m_files.setParent(m_window.get());
    m_backups.setParent(m_window.get());
    m_fileCommands = std::make_unique<commands::FileCommands>(
        commands::FileCommands::Services{m_db, m_settingsStore, m_prompter, m_chooser, m_backups,
                                         *m_window, m_clock},
        store::defaultDataFile(platform::dataHomeFolder()));
    m_window->setFileCommands(*m_fileCommands);
    m_window->restoreState();

    m_fileCommands->takeCommandLine(toStrings(m_arguments), platform::currentFolder());
    m_fileCommands->locateDataFile();
    if (!m_fileCommands->openAtStart()) {
        return false;
    }
    m_instance.setHandler([this](const QString& file) { return takeRequestFromSecondStart(file); });
    m_handoff = std::make_unique<CommandHandoff>(m_db, *m_fileCommands,
                                                 [this] { return m_window->isBusy(); });
    m_instance.setRunHandler(
        [this](const cli::RunRequest& request) { return m_handoff->handle(request); });
    connect(qApp, &QGuiApplication::commitDataRequest, m_window.get(), &MainWindow::commitData);
    // From here on a signal to end saves first (before, it ends the program as it always did).
    m_termination = std::make_unique<TerminationWatcher>();
    connect(m_termination.get(), &TerminationWatcher::terminationRequested, m_window.get(),
            &MainWindow::terminate);
    m_window->showAtStart();
    return true;
}

}  // namespace lh::gui

#include "store/DatabaseCommands.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "settings/SettingsStore.h"
#include "store/DataFileLocation.h"
#include "store/Database.h"
#include "text/Trim.h"
#include "ui/FileChooser.h"
#include "ui/Prompter.h"

namespace lh::store {

namespace {

constexpr const char* kSaveQuestion = "Save changes to Untitled?";
// How many numbered names are tried when a damaged file's first new name is taken.
constexpr int kAsideAttempts = 100;

enum class FileState { Missing, Empty, Present };

// What is at `path` after a load found nothing it could read.
FileState fileState(const std::string& path) {
    std::uint64_t size = 0;
    const int e = platform::regularFileSize(path, size);
    if (e == ENOENT || e == ENOTDIR) {
        return FileState::Missing;
    }
    return e == 0 && size == 0 ? FileState::Empty : FileState::Present;
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// The name a damaged file is kept under: "<path>.damaged-YYYYMMDD-hhmmss", numbered when taken.
std::string asideName(const std::string& path, const platform::LocalTime& t, int attempt) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, ".damaged-%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    std::string name = path + stamp;
    if (attempt > 1) {
        name += '-';
        name += std::to_string(attempt);
    }
    return name;
}

}  // namespace

DatabaseCommands::DatabaseCommands(Services services, std::string defaultDataFile)
    : m_s(services), m_defaultDataFile(std::move(defaultDataFile)) {}

bool DatabaseCommands::isUntitled() const {
    return text::trimBlanks(m_dataFile).empty();
}

// --- Start-up ------------------------------------------------------------------------------------

void DatabaseCommands::takeCommandLine(const std::vector<std::string>& args,
                                       std::string_view currentFolder) {
    if (auto path = dataFileFromCommandLine(args, currentFolder)) {
        m_dataFile = std::move(*path);
        m_s.settings.writeRemotefile(m_dataFile);
    }
}

void DatabaseCommands::locateDataFile() {
    if (m_dataFile.empty()) {
        m_dataFile = store::locateDataFile({}, m_s.settings.readRemotefile(), m_defaultDataFile);
    }
}

bool DatabaseCommands::openAtStart() {
    m_s.host.clearViews();
    if (m_dataFile.empty()) {
        startUntitled();  // not even a default data file is known
        return true;
    }
    if (m_dataFile == m_defaultDataFile) {
        platform::createFolders(platform::parentFolder(m_dataFile));
    }
    switch (m_s.db.load(m_dataFile)) {
        case 1:
            m_s.host.setTitle(windowTitle(m_dataFile));
            return true;
        case -1:
            return openRefusedAtStart();
        default:
            return openUnreadableAtStart();
    }
}

bool DatabaseCommands::openUnreadableAtStart() {
    FileState state = fileState(m_dataFile);
    if (m_dataFile != m_defaultDataFile) {
        // E.g. a remembered file on a drive that is not mounted: say so, then use the default.
        tell("The data file " + quoted(m_dataFile) + " cannot be opened.\n" +
                 m_s.db.lastError().message() + "\n\nLinkhaven uses the default data file " +
                 quoted(m_defaultDataFile) + " instead.",
             true);
        m_dataFile = m_defaultDataFile;
        if (m_dataFile.empty()) {
            startUntitled();
            return true;
        }
        platform::createFolders(platform::parentFolder(m_dataFile));
        const int result = m_s.db.load(m_dataFile);
        if (result == 1) {
            m_s.host.setTitle(windowTitle(m_dataFile));
            return true;
        }
        if (result == -1) {
            return openRefusedAtStart();
        }
        state = fileState(m_dataFile);
    }
    if (state == FileState::Present) {
        tell("The data file " + quoted(m_dataFile) + " cannot be opened.\n" +
                 m_s.db.lastError().message() +
                 "\n\nThe file is left as it is. Linkhaven starts with an untitled database.",
             true);
        startUntitled();
        return true;
    }
    return createDefaultAt(m_dataFile);
}

bool DatabaseCommands::openRefusedAtStart() {
    const std::string refused = m_dataFile;
    while (backupExists(refused)) {
        const std::vector<BackupRow> rows = restoreList(refused);
        if (rows.empty()) {
            break;
        }
        const auto chosen = m_s.backups.chooseBackup(refused, rows);
        if (!chosen) {
            break;
        }
        const int result = m_s.db.load(*chosen);
        if (result == 1) {
            return restoreBackup(refused, *chosen);
        }
        tell(result == -1 ? "The backup " + quoted(*chosen) +
                                " is damaged or not a Linkhaven database. Please choose another."
                          : "The backup " + quoted(*chosen) + " cannot be read.\n" +
                                m_s.db.lastError().message(),
             true);
    }
    const ui::Prompter::Answer answer = m_s.prompter.ask(
        {"The data file " + quoted(refused) +
             " is damaged or not a Linkhaven database.\n\nStart with a new database? The damaged "
             "file is kept under another name. No ends Linkhaven.",
         "Linkhaven", ui::Prompter::Buttons::YesNo, ui::Prompter::Icon::Warning});
    if (answer != ui::Prompter::Answer::Yes || !setAside(refused)) {
        return false;
    }
    return createDefaultAt(refused);
}

bool DatabaseCommands::restoreBackup(const std::string& refused, const std::string& backup) {
    if (!setAside(refused)) {
        return false;
    }
    m_dataFile = refused;
    m_s.host.setTitle(windowTitle(m_dataFile));
    // Write the restored database at once, so that the data file exists again.
    if (m_s.db.save(m_dataFile) != 1) {
        tell("The backup " + quoted(backup) + " was loaded, but it could not be saved as " +
                 quoted(m_dataFile) + ".\n" + m_s.db.lastError().message(),
             true);
    }
    return true;
}

bool DatabaseCommands::createDefaultAt(const std::string& path) {
    if (m_s.db.createDefault(path) == 1) {
        adopt(path);
        return true;
    }
    tell("A new database could not be written to " + quoted(path) + ".\n" +
             m_s.db.lastError().message() +
             "\n\nLinkhaven keeps it untitled; use Save As to keep your work.",
         true);
    startUntitled();
    return true;
}

void DatabaseCommands::startUntitled() {
    if (!m_s.db.isOpen()) {
        m_s.db.createDefault();
    }
    m_dataFile.clear();
    m_s.host.setTitle(windowTitle(m_dataFile));
}

void DatabaseCommands::adopt(const std::string& path) {
    m_dataFile = path;
    m_s.host.setTitle(windowTitle(m_dataFile));
}

bool DatabaseCommands::setAside(const std::string& damaged) {
    const platform::LocalTime now = m_s.clock.now();
    int error = EEXIST;
    std::string aside;
    for (int attempt = 1; attempt <= kAsideAttempts && error == EEXIST; ++attempt) {
        aside = asideName(damaged, now, attempt);
        error = platform::renameNoReplace(damaged, aside);
    }
    if (error != 0) {
        tell("The damaged data file " + quoted(damaged) + " could not be renamed.\n" +
                 platform::IoError("rename", damaged, error).message() +
                 "\n\nLinkhaven ends without changing it.",
             true);
        return false;
    }
    tell("The damaged data file is kept as " + quoted(aside) + ".", false);
    return true;
}

// --- The File menu -------------------------------------------------------------------------------

void DatabaseCommands::newDatabase() {
    if (isUntitled()) {
        if (askToSaveUntitled(false, false) == Outcome::Cancelled) {
            return;
        }
    } else if (!saveTo(m_dataFile)) {
        return;
    }
    m_s.host.clearViews();
    m_s.db.clear();
    m_dataFile.clear();
    m_s.db.createDefault();
    m_s.host.rebuildFavouritesMenu();
    m_s.host.setTitle(windowTitle(m_dataFile));
}

void DatabaseCommands::openDatabase() {
    const auto chosen = m_s.files.chooseFileToOpen(
        {"Open Database",
         isUntitled() ? std::string() : platform::parentFolder(m_dataFile),
         {},
         std::string(kDatabaseFilter)});
    if (chosen) {
        openDatabaseFile(*chosen);
    }
}

void DatabaseCommands::openDatabaseFile(const std::string& path) {
    if (!closeForOpen()) {
        return;
    }
    m_s.host.clearViews();
    const int result = m_s.db.load(path);
    if (result == 1) {
        adopt(path);
        m_s.settings.writeRemotefile(m_dataFile);
    } else if (result == -1) {
        // Never make a refused file the data file: a later save would replace it.
        tell(quoted(path) +
                 " is damaged or not a Linkhaven database. It was not opened; "
                 "Linkhaven starts an untitled database instead.",
             true);
        m_s.db.createDefault();
        startUntitled();
    } else if (fileState(path) == FileState::Present) {
        tell(quoted(path) + " cannot be opened.\n" + m_s.db.lastError().message() +
                 "\n\nLinkhaven starts an untitled database instead.",
             true);
        m_s.db.createDefault();
        startUntitled();
    } else if (createDefaultAt(path) && !isUntitled()) {
        m_s.settings.writeRemotefile(m_dataFile);
    }
    m_s.host.rebuildFavouritesMenu();
}

bool DatabaseCommands::closeForOpen() {
    if (isUntitled()) {
        if (askToSaveUntitled(true, false) == Outcome::Cancelled) {
            return false;
        }
        m_s.host.clearViews();
        m_s.db.clear();
        return true;
    }
    if (m_s.db.saveAndClose(m_dataFile) != 1) {
        tell("The database could not be saved to " + quoted(m_dataFile) + ".\n" +
                 m_s.db.lastError().message() + "\n\nIt stays open.",
             true);
        return false;
    }
    return true;
}

bool DatabaseCommands::save() {
    if (isUntitled()) {
        return saveAs();
    }
    return saveTo(m_dataFile);
}

bool DatabaseCommands::saveAs() {
    const bool untitled = isUntitled();
    ui::FileChooser::Request request{
        "Save As", untitled ? std::string() : platform::parentFolder(m_dataFile),
        untitled ? std::string(kUntitledName) : std::string(platform::fileName(m_dataFile)),
        std::string(kDatabaseFilter)};
    const auto chosen = m_s.files.chooseFileToSave(request);
    if (!chosen) {
        return false;
    }
    const std::string path = normaliseExtension(*chosen);
    if (!saveTo(path)) {
        return false;
    }
    if (untitled) {
        adopt(path);
    }
    return true;
}

void DatabaseCommands::exit() {
    if (isUntitled() && askToSaveUntitled(false, false) == Outcome::Cancelled) {
        return;
    }
    m_s.host.closeProgram();
}

DatabaseCommands::CloseAction DatabaseCommands::closeRequested(bool minimizeOnClose) {
    if (minimizeOnClose) {
        return CloseAction::Minimize;
    }
    if (!isUntitled()) {
        return CloseAction::Close;
    }
    // After a save the window stays open; the user closes again.
    return askToSaveUntitled(false, true) == Outcome::NotSaved ? CloseAction::Close
                                                               : CloseAction::StayOpen;
}

bool DatabaseCommands::finishClose() {
    if (isUntitled() || !m_s.db.isOpen()) {
        return true;
    }
    if (m_s.db.saveAndClose(m_dataFile) == 1) {
        return true;
    }
    const ui::Prompter::Answer answer = m_s.prompter.ask(
        {"The database could not be saved to " + quoted(m_dataFile) + ".\n" +
             m_s.db.lastError().message() +
             "\n\nClose Linkhaven without saving? No keeps it open, so that you can save it "
             "elsewhere with Save As.",
         "Linkhaven", ui::Prompter::Buttons::YesNo, ui::Prompter::Icon::Warning});
    return answer == ui::Prompter::Answer::Yes;
}

DatabaseCommands::Outcome DatabaseCommands::askToSaveUntitled(bool normalise, bool questionIcon) {
    const ui::Prompter::Answer answer = m_s.prompter.ask(
        {kSaveQuestion, "Linkhaven", ui::Prompter::Buttons::YesNoCancel,
         questionIcon ? ui::Prompter::Icon::Question : ui::Prompter::Icon::Information});
    if (answer == ui::Prompter::Answer::No) {
        return Outcome::NotSaved;
    }
    if (answer != ui::Prompter::Answer::Yes) {
        return Outcome::Cancelled;
    }
    const auto path = askSaveName(normalise);
    return path && saveTo(*path) ? Outcome::Saved : Outcome::Cancelled;
}

std::optional<std::string> DatabaseCommands::askSaveName(bool normalise) {
    const auto chosen = m_s.files.chooseFileToSave(
        {"Save As", {}, std::string(kUntitledName), std::string(kDatabaseFilter)});
    if (!chosen) {
        return std::nullopt;
    }
    return normalise ? normaliseExtension(*chosen) : *chosen;
}

bool DatabaseCommands::saveTo(const std::string& path) {
    if (m_s.db.save(path) == 1) {
        return true;
    }
    tell("The database could not be saved to " + quoted(path) + ".\n" +
             m_s.db.lastError().message() + "\n\nIt stays open and unsaved.",
         true);
    return false;
}

void DatabaseCommands::tell(const std::string& text, bool warning) {
    m_s.prompter.tell(text,
                      warning ? ui::Prompter::Icon::Warning : ui::Prompter::Icon::Information);
}

// --- Timers --------------------------------------------------------------------------------------

bool DatabaseCommands::autosave() {
    if (isUntitled() || !m_s.db.isOpen()) {
        return false;
    }
    if (m_s.db.save(m_dataFile) != 1) {
        m_s.host.showStatus("Autosave failed: " + m_s.db.lastError().message());
        return false;
    }
    return true;
}

std::string DatabaseCommands::backupTick(bool autoBackup) {
    const platform::LocalTime now = m_s.clock.now();
    const DailyBackupDecision decision =
        decideDailyBackup(m_rememberedDay, now.day, autoBackup, m_dataFile);
    m_rememberedDay = decision.rememberedDay;
    if (!decision.backUp || !m_s.db.isOpen() || backupWrittenToday(m_dataFile, now)) {
        return {};
    }
    const std::string name = chooseBackupName(m_dataFile);
    if (name.empty()) {
        m_s.host.showStatus("No backup today: the backup files of " + m_dataFile +
                            " cannot be written.");
        return {};
    }
    if (m_s.db.save(name) != 1) {
        m_s.host.showStatus("Backup failed: " + m_s.db.lastError().message());
        return {};
    }
    m_s.host.showStatus("Backup written to " + name);
    return name;
}

}  // namespace lh::store

#include "commands/FileCommands.h"

#include <cerrno>
#include <cstdio>

#include "commands/FileChooser.h"
#include "commands/Prompter.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "platform/StaleSaves.h"
#include "settings/SettingsStore.h"
#include "store/DataFileLocation.h"
#include "store/Database.h"
#include "text/Trim.h"

namespace lh::commands {

using store::LoadOutcome;

namespace {

constexpr const char* kSaveQuestion = "Save changes to Untitled?";
// How many numbered names are tried when a damaged file's first new name is taken.
constexpr int kAsideAttempts = 100;
// What follows when a damaged data file cannot be renamed at start.
constexpr const char* kEndsUnchanged = "Linkhaven ends without changing it.";
// A save's temporary file older than this and not locked was left by a program that died.
constexpr std::chrono::seconds kStaleSaveAge{60};

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

FileCommands::FileCommands(Services services, std::string defaultDataFile)
    : m_s(services), m_savedState(services.db), m_defaultDataFile(std::move(defaultDataFile)) {}

std::string FileCommands::quoted(const std::string& path) {
    return "\"" + path + "\"";
}

bool FileCommands::isUntitled() const {
    return text::trimBlanks(m_dataFile).empty();
}

// --- Start-up ------------------------------------------------------------------------------------

void FileCommands::takeCommandLine(const std::vector<std::string>& args,
                                   std::string_view currentFolder) {
    if (auto path = store::dataFileFromCommandLine(args, currentFolder)) {
        m_dataFile = std::move(*path);
        m_s.settings.writeRemotefile(m_dataFile);
    }
}

void FileCommands::locateDataFile() {
    if (m_dataFile.empty()) {
        m_dataFile = store::locateDataFile({}, m_s.settings.readRemotefile(), m_defaultDataFile);
    }
}

bool FileCommands::openAtStart() {
    if (m_dataFile.empty()) {
        startUntitled();  // not even a default data file is known
        return true;
    }
    if (m_dataFile == m_defaultDataFile) {
        // A folder that cannot be made shows as the data file's own failure next.
        (void)platform::createFolders(platform::parentFolder(m_dataFile));
    }
    (void)platform::removeStaleSaves(m_dataFile, kStaleSaveAge);
    platform::IoError error;
    switch (const LoadOutcome outcome = m_s.db.load(m_dataFile, error)) {
        case LoadOutcome::Loaded:
            showTitle();
            settle();
            return true;
        case LoadOutcome::Refused:
            return openRefusedAtStart(error.userMessage());
        case LoadOutcome::Empty:
            if (store::backupExists(m_dataFile)) {  // emptied by a fault: the backups hold it
                return openRefusedAtStart("The file is empty.");
            }
            [[fallthrough]];
        default:
            return openUnreadableAtStart(outcome, error);
    }
}

bool FileCommands::openUnreadableAtStart(LoadOutcome outcome, const platform::IoError& error) {
    if (m_dataFile != m_defaultDataFile) {
        // E.g. a remembered file on a drive that is not mounted: say so, then use the default.
        tell("The data file " + quoted(m_dataFile) + " cannot be opened.\n" + error.userMessage() +
                 "\n\nLinkhaven uses the default data file " + quoted(m_defaultDataFile) +
                 " instead.",
             true);
        m_dataFile = m_defaultDataFile;
        return openAtStart();  // the default data file does not come back to this branch
    }
    if (outcome == LoadOutcome::Unreadable) {
        tell("The data file " + quoted(m_dataFile) + " cannot be opened.\n" + error.userMessage() +
                 "\n\nThe file is left as it is. Linkhaven starts with an untitled database.",
             true);
        startUntitled();
        return true;
    }
    const bool opened = createDefaultAt(m_dataFile);
    m_madeInPlaceOfLost = outcome == LoadOutcome::Empty;
    return opened;
}

bool FileCommands::openRefusedAtStart(const std::string& reason) {
    const std::string refused = m_dataFile;
    if (const auto backup = pickBackup(refused)) {
        platform::IoError error;
        (void)m_s.db.loadBytes(backup->bytes, backup->path, error);  // loads as it did probed
        return restoreBackup(refused, backup->path, kEndsUnchanged);
    }
    const Prompter::Answer answer = m_s.prompter.ask(
        {"The data file " + quoted(refused) +
             " is damaged or not a Linkhaven database.\n\nStart with a new database? The damaged "
             "file is kept under another name. No ends Linkhaven.",
         "Linkhaven", Prompter::Buttons::YesNo, Prompter::Icon::Warning, reason});
    if (answer != Prompter::Answer::Yes || !setAside(refused, kEndsUnchanged)) {
        return false;
    }
    const bool opened = createDefaultAt(refused);
    m_madeInPlaceOfLost = true;
    return opened;
}

std::optional<ProbedFile> FileCommands::pickBackup(const std::string& refused) {
    if (!store::backupExists(refused)) {
        return std::nullopt;
    }
    for (;;) {
        const auto rows = store::withLinkCounts(store::restoreList(refused));
        if (rows.empty()) {
            return std::nullopt;
        }
        const auto chosen = m_s.backups.chooseBackup(refused, rows);
        if (!chosen) {
            return std::nullopt;
        }
        ProbedFile backup = probeFile(*chosen);
        if (backup.outcome == LoadOutcome::Loaded) {
            return backup;
        }
        tell(backup.outcome == LoadOutcome::Refused
                 ? "The backup " + quoted(*chosen) +
                       " is damaged or not a Linkhaven database. Please choose another."
                 : "The backup " + quoted(*chosen) + " cannot be read.\n" +
                       backup.error.userMessage(),
             true);
    }
}

bool FileCommands::restoreBackup(const std::string& refused, const std::string& backup,
                                 const char* ifKept) {
    if (!setAside(refused, ifKept)) {
        return false;
    }
    adopt(refused);
    // Write the restored database at once, so that the data file exists again.
    if (platform::IoError error; !m_s.db.save(m_dataFile, error)) {
        tell("The backup " + quoted(backup) + " was loaded, but it could not be saved as " +
                 quoted(m_dataFile) + ".\n" + error.userMessage(),
             true);
    } else {
        settle();
    }
    return true;
}

bool FileCommands::createDefaultAt(const std::string& path) {
    platform::IoError error;
    if (m_s.db.createDefault(path, error)) {
        adopt(path);
        return true;
    }
    tell("A new database could not be written to " + quoted(path) + ".\n" + error.userMessage() +
             "\n\nLinkhaven keeps it untitled; use Save As to keep your work.",
         true);
    startUntitled();
    return true;
}

void FileCommands::startUntitled() {
    if (!m_s.db.isOpen()) {
        m_s.db.createDefault();
    }
    m_dataFile.clear();
    m_madeInPlaceOfLost = false;
    showTitle();
}

void FileCommands::adopt(const std::string& path) {
    m_dataFile = path;
    m_madeInPlaceOfLost = false;
    showTitle();
    settle();
}

void FileCommands::showTitle() {
    m_s.host.setTitle(store::windowTitle(m_dataFile));
}

bool FileCommands::setAside(const std::string& damaged, const char* ifKept) {
    const platform::LocalTime now = m_s.clock.now();
    int error = EEXIST;
    std::string aside;
    for (int attempt = 1; attempt <= kAsideAttempts && error == EEXIST; ++attempt) {
        aside = asideName(damaged, now, attempt);
        error = platform::renameNoReplace(damaged, aside);
    }
    if (error != 0) {
        tell("The damaged data file " + quoted(damaged) + " could not be renamed.\n" +
                 platform::IoError("rename", damaged, error).userMessage() + "\n\n" + ifKept,
             true);
        return false;
    }
    tell("The damaged data file is kept as " + quoted(aside) + ".", false);
    return true;
}

// --- The File menu -------------------------------------------------------------------------------

void FileCommands::newDatabase() {
    if (isUntitled()) {
        if (askToSaveUntitled(false, false) == Outcome::Cancelled) {
            return;
        }
    } else if (!saveDataFile(false)) {
        return;
    }
    m_s.db.createDefault();
    startUntitled();
}

bool FileCommands::save() {
    if (isUntitled()) {
        return saveAs();
    }
    return saveDataFile(true);
}

bool FileCommands::saveAs() {
    const bool untitled = isUntitled();
    FileChooser::Request request{
        "Save As", untitled ? std::string() : platform::parentFolder(m_dataFile),
        untitled ? std::string(store::kUntitledName) : std::string(platform::fileName(m_dataFile)),
        std::string(store::kDatabaseFilter)};
    const auto chosen = m_s.files.chooseFileToSave(request);
    if (!chosen) {
        return false;
    }
    const std::string path = store::normaliseExtension(*chosen);
    // Read first: saveTo clears it when `path` is the data file itself.
    const bool dataFileFailed = m_dataFileFailed;
    if (!saveTo(path)) {
        return false;
    }
    if (untitled) {
        adopt(path);
    } else if (dataFileFailed && path != m_dataFile) {
        // The data file cannot be written: the copy takes its place, so that the next save and
        // the close keep the work.
        const std::string unwritable = m_dataFile;
        adopt(path);
        m_s.settings.writeRemotefile(m_dataFile);
        m_s.host.showStatus("The database is now kept in " + m_dataFile + ": " + unwritable +
                            " could not be written.");
    }
    return true;
}

void FileCommands::exit() {
    if (isUntitled() && askToSaveUntitled(false, false) == Outcome::Cancelled) {
        return;
    }
    m_s.host.closeProgram();
}

FileCommands::CloseAction FileCommands::closeRequested(bool minimizeOnClose) {
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

bool FileCommands::finishClose() {
    if (isUntitled() || !m_s.db.isOpen()) {
        return true;
    }
    platform::IoError error;
    if (const CloseSave saved = saveDataFileAndClose(error); saved != CloseSave::WriteFailed) {
        return saved == CloseSave::Closed;
    }
    if (m_unattended) {
        m_s.host.showStatus("The database could not be saved: " + error.userMessage());
        return true;
    }
    const Prompter::Answer answer = m_s.prompter.ask(
        {"The database could not be saved to " + quoted(m_dataFile) + ".\n" + error.userMessage() +
             "\n\nClose Linkhaven without saving? No keeps it open, so that you can save it "
             "elsewhere with Save As.",
         "Linkhaven", Prompter::Buttons::YesNo, Prompter::Icon::Warning});
    return answer == Prompter::Answer::Yes;
}

bool FileCommands::finishCloseUnattended() {
    m_unattended = true;
    const bool closed = finishClose();
    m_unattended = false;
    return closed;
}

FileCommands::Outcome FileCommands::askToSaveUntitled(bool normalise, bool questionIcon) {
    const Prompter::Answer answer =
        m_s.prompter.ask({kSaveQuestion, "Linkhaven", Prompter::Buttons::YesNoCancel,
                          questionIcon ? Prompter::Icon::Question : Prompter::Icon::Information});
    if (answer == Prompter::Answer::No) {
        return Outcome::NotSaved;
    }
    if (answer != Prompter::Answer::Yes) {
        return Outcome::Cancelled;
    }
    const auto path = askSaveName(normalise);
    return path && saveTo(*path) ? Outcome::Saved : Outcome::Cancelled;
}

std::optional<std::string> FileCommands::askSaveName(bool normalise) {
    const auto chosen = m_s.files.chooseFileToSave(
        {"Save As", {}, std::string(store::kUntitledName), std::string(store::kDatabaseFilter)});
    if (!chosen) {
        return std::nullopt;
    }
    return normalise ? store::normaliseExtension(*chosen) : *chosen;
}

bool FileCommands::saveTo(const std::string& path) {
    platform::IoError error;
    if (m_s.db.save(path, error)) {
        if (path == m_dataFile) {
            settle();
        }
        return true;
    }
    if (path == m_dataFile) {
        m_dataFileFailed = true;
    }
    tell("The database could not be saved to " + quoted(path) + ".\n" + error.userMessage() +
             "\n\nIt stays open and unsaved.",
         true);
    return false;
}

void FileCommands::tell(const std::string& text, bool warning) {
    if (m_unattended) {
        m_s.host.showStatus(text);
        return;
    }
    if (m_heldNotices != nullptr) {
        m_heldNotices->push_back({text, warning});
        return;
    }
    m_s.prompter.tell(text, warning ? Prompter::Icon::Warning : Prompter::Icon::Information);
}

// --- Timers --------------------------------------------------------------------------------------

bool FileCommands::autosave() {
    if (isUntitled() || !m_s.db.isOpen() || !needsWriting()) {
        return false;
    }
    switch (settleForeignChange(false)) {
        case Foreign::Settled:
        case Foreign::Failed:
            return false;
        case Foreign::None:
        case Foreign::SaveMine:
            break;
    }
    if (platform::IoError error; !m_s.db.save(m_dataFile, error)) {
        m_dataFileFailed = true;
        m_s.host.showStatus("Autosave failed: " + error.userMessage());
        return false;
    }
    settle();
    return true;
}

std::string FileCommands::backupTick(bool autoBackup) {
    const platform::LocalTime now = m_s.clock.now();
    const store::DailyBackupDecision decision =
        store::decideDailyBackup(m_rememberedDay, now.day, autoBackup, m_dataFile);
    m_rememberedDay = decision.rememberedDay;
    if (!decision.backUp || !m_s.db.isOpen()) {
        return {};
    }
    if (m_madeInPlaceOfLost) {
        m_s.host.showStatus(
            "No backup today: the database was made new in place of a data file "
            "that was empty or damaged, and the backups keep what it held.");
        return {};
    }
    if (store::backupWrittenToday(m_dataFile, now)) {
        return {};
    }
    const std::string name = store::chooseBackupName(m_dataFile);
    if (name.empty()) {
        m_s.host.showStatus("No backup today: the backup files of " + m_dataFile +
                            " cannot be written.");
        return {};
    }
    if (platform::IoError error; !m_s.db.save(name, error)) {
        m_s.host.showStatus("Backup failed: " + error.userMessage());
        return {};
    }
    m_s.host.showStatus("Backup written to " + name);
    return name;
}

}  // namespace lh::commands

// FileCommands' Open: the chosen file is read and tried before the database in use is closed,
// so that a damaged or unreadable file never replaces it.

#include "commands/FileChooser.h"
#include "commands/FileCommands.h"
#include "commands/Prompter.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "settings/SettingsStore.h"
#include "store/DataFileLocation.h"
#include "store/Database.h"

namespace lh::commands {

using store::LoadOutcome;

void FileCommands::openDatabase() {
    const auto chosen = m_s.files.chooseFileToOpen(
        {"Open Database",
         isUntitled() ? std::string() : platform::parentFolder(m_dataFile),
         {},
         std::string(store::kDatabaseFilter)});
    if (chosen) {
        openDatabaseFile(*chosen);
    }
}

class FileCommands::NoticesAfterwards {
public:
    explicit NoticesAfterwards(FileCommands& commands) : m_commands(commands) {
        m_commands.m_heldNotices = &m_notices;
    }
    ~NoticesAfterwards() {
        m_commands.m_heldNotices = nullptr;
        for (const Notice& notice : m_notices) {
            m_commands.tell(notice.text, notice.warning);
        }
    }
    NoticesAfterwards(const NoticesAfterwards&) = delete;
    NoticesAfterwards& operator=(const NoticesAfterwards&) = delete;

private:
    FileCommands& m_commands;
    std::vector<Notice> m_notices;
};

void FileCommands::openDatabaseFile(const std::string& path) {
    // Read and tried before anything changes: a file that cannot be opened never costs the
    // database in use.
    const ProbedFile probed = probeFile(path);
    const bool damaged = probed.outcome == LoadOutcome::Refused ||
                         (probed.outcome == LoadOutcome::Empty && store::backupExists(path));
    std::optional<ProbedFile> backup;
    if (damaged || probed.outcome == LoadOutcome::Unreadable) {
        const bool hasBackups = damaged && !store::restoreList(path).empty();
        tellNotOpened(probed, damaged, hasBackups);
        if (!hasBackups || !(backup = pickBackup(path))) {
            return;
        }
    }
    // The views hear one bulk change for closing the old database and showing the new one; what
    // went wrong is told once they show the database that is open then. (Questions are asked
    // before anything changes.)
    const NoticesAfterwards notices(*this);
    bool settled = false;
    {
        const store::Database::BulkChange bulk(m_s.db);
        if (!closeForOpen()) {
            return;
        }
        if (backup) {
            openRestored(path, *backup);
        } else if (platform::fileStamp(path) != probed.stamp) {
            openProbed(probeFile(path));  // e.g. the data file in use, just saved by closeForOpen
        } else {
            openProbed(probed);
        }
        settled = !hasUnsavedChanges();
    }
    if (settled) {
        m_savedState.markSaved();  // the end of the bulk change is no change of the user's
    }
}

void FileCommands::tellNotOpened(const ProbedFile& probed, bool damaged, bool backupsFollow) {
    std::string detail =
        probed.outcome == LoadOutcome::Empty ? "The file is empty." : probed.error.userMessage();
    detail += "\n\n";
    detail += isUntitled() ? std::string("The untitled database stays open.")
                           : "The database " + quoted(m_dataFile) + " stays open.";
    if (backupsFollow) {
        detail += " You can restore one of the file's backups next.";
    }
    m_s.prompter.ask({damaged ? quoted(probed.path) +
                                    " is damaged or not a Linkhaven database. It was not opened."
                              : quoted(probed.path) + " cannot be opened.",
                      "Linkhaven", Prompter::Buttons::Ok, Prompter::Icon::Warning, detail});
}

void FileCommands::openProbed(const ProbedFile& probed) {
    if (probed.outcome == LoadOutcome::Loaded) {
        platform::IoError error;
        (void)m_s.db.loadBytes(probed.bytes, probed.path, error);  // loads as it did probed
        adopt(probed.path);
        m_diskStamp = probed.stamp;  // a change since the read is another program's
        m_s.settings.writeRemotefile(m_dataFile);
        return;
    }
    if (probed.outcome == LoadOutcome::Refused || probed.outcome == LoadOutcome::Unreadable) {
        // Spoilt after the first read, by another program: nothing is written over it.
        tell(quoted(probed.path) + " cannot be opened.\n" + probed.error.userMessage(), true);
        startUntitled();
        return;
    }
    // Missing, or empty without backups: a new database there.
    if (createDefaultAt(probed.path) && !isUntitled()) {
        m_madeInPlaceOfLost = probed.outcome == LoadOutcome::Empty;
        m_s.settings.writeRemotefile(m_dataFile);
    }
}

void FileCommands::openRestored(const std::string& refused, const ProbedFile& backup) {
    platform::IoError error;
    (void)m_s.db.loadBytes(backup.bytes, backup.path, error);  // loads as it did probed
    if (restoreBackup(refused, backup.path,
                      "The file is left as it is; the backup stays open, untitled.")) {
        m_s.settings.writeRemotefile(m_dataFile);
    } else {
        startUntitled();  // the damaged file could not be set aside: it stays as it is
    }
}

bool FileCommands::closeForOpen() {
    if (isUntitled()) {
        if (askToSaveUntitled(true, false) == Outcome::Cancelled) {
            return false;
        }
        m_s.db.clear();
        return true;
    }
    platform::IoError error;
    if (const CloseSave saved = saveDataFileAndClose(error); saved != CloseSave::WriteFailed) {
        return saved == CloseSave::Closed;
    }
    tell("The database could not be saved to " + quoted(m_dataFile) + ".\n" + error.userMessage() +
             "\n\nIt stays open.",
         true);
    return false;
}

}  // namespace lh::commands

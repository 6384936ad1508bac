#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/BackupChooser.h"
#include "commands/FileCommandsHost.h"
#include "commands/ProbedFile.h"
#include "commands/SavedState.h"
#include "platform/Clock.h"
#include "platform/FileInfo.h"
#include "platform/IoError.h"

namespace lh::settings {
class SettingsStore;
}
namespace lh::store {
class Database;
enum class LoadOutcome;
}  // namespace lh::store

namespace lh::commands {

class FileChooser;
class Prompter;

// The data file and the database commands of the File menu: where the data file is, how it is
// opened at start (with the fall-backs to a backup or a new database), New, Open, Save, Save As,
// Exit and the close box, the save at close, autosave and the daily backup. It talks to the user
// only through the Prompter, the FileChooser and the BackupChooser, and to the window only
// through FileCommandsHost. The views follow the Database's events: Open and New are each one
// bulk change.
//
// Nothing here replaces a file that could not be read: a damaged data file is renamed aside
// before anything is written in its place, and a file that exists but cannot be opened is left
// alone. An empty data file beside backups counts as damaged, and a database made new in place
// of an empty or damaged file writes no daily backup, so that the backups are kept. Open tries
// the chosen file before it gives up the database in use. A failed save is always told to the
// user and stops the command that needed it.
class FileCommands {
public:
    // The helpers the controller uses; all must outlive it.
    struct Services {
        store::Database& db;
        settings::SettingsStore& settings;  // where "Remotefile" is remembered
        Prompter& prompter;
        FileChooser& files;
        BackupChooser& backups;
        FileCommandsHost& host;
        const platform::Clock& clock;  // names of damaged files, the daily backup's day
    };

    // What the window does when its close box is clicked.
    enum class CloseAction {
        Close,     // close now (the window then writes the settings and calls finishClose)
        Minimize,  // minimise instead (MinimizeOnClose)
        StayOpen,  // keep the window open
    };

    // `defaultDataFile` is the data file used when no other is known (see defaultDataFile() of
    // DataFileLocation.h); its folder is created when it is used.
    FileCommands(Services services, std::string defaultDataFile);

    // The data file's path; empty while the database is untitled.
    const std::string& dataFile() const { return m_dataFile; }
    bool isUntitled() const;

    // --- Start-up, in this order ---------------------------------------------------------------
    // Takes the first argument naming a .lhd file (any letter case), made absolute against
    // `currentFolder`, as the data file and remembers it as "Remotefile" at once.
    void takeCommandLine(const std::vector<std::string>& args, std::string_view currentFolder);
    // Settles the data file: the command line's, else the remembered "Remotefile", else the
    // default data file.
    void locateDataFile();
    // Opens the data file, after removing the temporary files that saves killed by a crash left
    // beside it. A missing one (not the default) is reported and the default data file is used;
    // a missing or empty default data file gets the default database; a refused one, or an empty
    // one beside backups, offers its backups and then a new database (the damaged file renamed
    // aside). True when a database is open (possibly untitled); false when the user declined
    // every way out, and the program must end.
    [[nodiscard]] bool openAtStart();

    // --- The File menu -------------------------------------------------------------------------
    // New: after the save question (or the save to the data file), an untitled default database
    // that lives only in memory.
    void newDatabase();
    // Open: asks for a file, then as New for the current database, then loads the file. A file
    // that is refused (or empty beside backups) or cannot be opened is not opened: the database
    // in use stays open, the user is told why, and a damaged file's backups are offered (one
    // chosen is restored as at start).
    void openDatabase();
    // Open's steps after its file dialog, for `path` (a file handed over by a second start of
    // the program).
    void openDatabaseFile(const std::string& path);
    // Save: to the data file; Save As when untitled. True when written.
    [[nodiscard]] bool save();
    // Save As: asks for a name (".lhd" appended when missing) and writes a copy there; an
    // untitled database, or one whose last save to its data file failed, takes the new name
    // once the save succeeded (and remembers it in the latter case). True when written.
    [[nodiscard]] bool saveAs();
    // Exit: the save question for an untitled database, then FileCommandsHost::closeProgram.
    void exit();
    // The close box: what to do, after the save question for an untitled database.
    [[nodiscard]] CloseAction closeRequested(bool minimizeOnClose);
    // The window is closing (after the settings were written): writes the database to the data
    // file and empties it. When that fails the user is told and asked whether to close without
    // saving; false means the window must stay open.
    [[nodiscard]] bool finishClose();
    // finishClose when nobody is there to answer (the program was asked to end by a signal):
    // another program's change of the file keeps ours as a copy beside it, a failed save ends
    // anyway, and what would have been told goes to the status bar. True when closed.
    bool finishCloseUnattended();

    // --- Timers --------------------------------------------------------------------------------
    // The autosave tick: saves to the data file when there is one. A failure goes to the status
    // bar. True when written.
    [[nodiscard]] bool autosave();
    // The reminder timer's tick: on the first tick of each day (the first after start included)
    // writes a backup when `autoBackup` is on and no backup was written today. Failures go to
    // the status bar. Nothing is written from a database made new in place of an empty or
    // damaged data file. Returns the backup written, or empty.
    std::string backupTick(bool autoBackup);

    // --- The data file changed by another program ----------------------------------------------
    // Saves and loads mark `history`'s saved state, and undoing or redoing back to it counts as
    // unchanged. `history` must outlive the commands.
    void followHistory(history::UndoStack& history) { m_savedState.followHistory(&history); }
    // True when the database holds changes its data file does not.
    bool hasUnsavedChanges() const { return m_savedState.hasUnsavedChanges(); }
    // Looks whether another program (the CLI, a sync program, another machine) changed the data
    // file since our last load or save; the window calls it when the file's folder changes, once
    // no dialog or import runs. Without changes of our own the file is loaded again quietly;
    // with some, the user chooses: the file's version, ours saved over it, or ours saved as a
    // copy beside it. Every save to the data file looks first, too.
    void checkDataFile();
    // Writes the database to the data file without a word (a command handed over by
    // linkhaven-cli reports the failure itself). False, with `error`, when it cannot.
    [[nodiscard]] bool saveQuietly(platform::IoError& error);

private:
    enum class Outcome { Saved, NotSaved, Cancelled };

    // How a change of the data file by another program was settled.
    enum class Foreign {
        None,      // no such change, or nothing to settle: go on as usual
        SaveMine,  // the user keeps our version: save it over the file
        Settled,   // the file's version stays (and is loaded unless closing); save nothing
        Failed,    // our copy could not be written (the user was told): save nothing
    };
    Foreign settleForeignChange(bool closing);
    bool changedOnDisk() const;
    // The data file lacks what the database holds: changes, or the whole file.
    bool needsWriting() const;
    // The database now is what the data file holds.
    void settle();
    // Loads the data file again, keeping the view; false (and the database unchanged) when the
    // file cannot be loaded.
    bool reloadDataFile(bool quiet);
    // Writes our version beside the data file; its path, or empty (the user told).
    std::string saveCopyBeside();
    // Save, autosave, New and Open: the data file gets our version unless another program's
    // change was settled otherwise. `evenUnchanged`: write it even when nothing changed.
    bool saveDataFile(bool evenUnchanged);
    // The close's and Open's save: as saveDataFile without `evenUnchanged`, then the database is
    // emptied. WriteFailed leaves it open, with `error` telling why.
    enum class CloseSave { Closed, Stopped, WriteFailed };
    CloseSave saveDataFileAndClose(platform::IoError& error);

    bool openUnreadableAtStart(store::LoadOutcome outcome, const platform::IoError& error);
    bool openRefusedAtStart(const std::string& reason);
    // Offers the backups of the damaged file `refused` until one loads or the user chooses none.
    std::optional<ProbedFile> pickBackup(const std::string& refused);
    // Makes the loaded `backup` the database of the damaged file `refused`, which is renamed
    // aside; `ifKept` tells the user what follows when it cannot be renamed (false then).
    bool restoreBackup(const std::string& refused, const std::string& backup, const char* ifKept);
    void tellNotOpened(const ProbedFile& probed, bool damaged, bool backupsFollow);
    void openRestored(const std::string& refused, const ProbedFile& backup);
    void openProbed(const ProbedFile& probed);
    bool createDefaultAt(const std::string& path);
    static std::string quoted(const std::string& path);
    void startUntitled();
    void adopt(const std::string& path);
    void showTitle();
    bool setAside(const std::string& damaged, const char* ifKept);
    bool closeForOpen();
    Outcome askToSaveUntitled(bool normalise, bool questionIcon);
    std::optional<std::string> askSaveName(bool normalise);
    bool saveTo(const std::string& path);
    // Shows a notice at once, or, while one is being held back, once the work that holds it is
    // done (see NoticesAfterwards).
    void tell(const std::string& text, bool warning);

    // Holds the notices back for as long as it lives and shows them when it goes, so that no
    // notice comes up over a database that is half replaced.
    class NoticesAfterwards;
    struct Notice {
        std::string text;
        bool warning;
    };

    Services m_s;
    SavedState m_savedState;
    // The data file as our last load or save left it (nothing: there was no file).
    std::optional<platform::FileStamp> m_diskStamp;
    bool m_settling = false;    // another program's change is being settled
    bool m_unattended = false;  // nobody answers questions (finishCloseUnattended)
    std::string m_defaultDataFile;
    std::string m_dataFile;
    int m_rememberedDay = 0;
    // The database was made new in place of a data file that was empty or refused: its backups
    // hold what the user had, and no daily backup may push them out.
    bool m_madeInPlaceOfLost = false;
    bool m_dataFileFailed = false;  // the last save to the data file failed
    std::vector<Notice>* m_heldNotices = nullptr;
};

}  // namespace lh::commands

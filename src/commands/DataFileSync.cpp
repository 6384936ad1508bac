// FileCommands and the other writers of the data file: the saved-state marker, the file's stamp,
// and what happens when another program changed the file.

#include <cstdio>

#include "commands/FileCommands.h"
#include "commands/ProbedFile.h"
#include "commands/Prompter.h"
#include "platform/Paths.h"
#include "store/Database.h"

namespace lh::commands {

namespace {

// "<folder>/<name> (my changes YYYY-MM-DD hh-mm-ss).lhd" for "<folder>/<name>.lhd".
std::string copyName(const std::string& path, const platform::LocalTime& t, int attempt) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : ".lhd";
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " (my changes %04d-%02d-%02d %02d-%02d-%02d", t.year,
                  t.month, t.day, t.hour, t.minute, t.second);
    return stem + stamp + (attempt > 1 ? " " + std::to_string(attempt) : "") + ")" + extension;
}

}  // namespace

void FileCommands::settle() {
    m_diskStamp = platform::fileStamp(m_dataFile);
    m_savedState.markSaved();
    m_dataFileFailed = false;
}

bool FileCommands::needsWriting() const {
    // A data file that went away is written again even when nothing changed.
    return hasUnsavedChanges() || !platform::fileStamp(m_dataFile);
}

bool FileCommands::changedOnDisk() const {
    const auto now = platform::fileStamp(m_dataFile);
    return now && now != m_diskStamp;  // a file that went away holds no other version
}

void FileCommands::checkDataFile() {
    if (isUntitled() || !m_s.db.isOpen()) {
        return;
    }
    if (settleForeignChange(false) == Foreign::SaveMine) {
        (void)saveTo(m_dataFile);
    }
}

FileCommands::Foreign FileCommands::settleForeignChange(bool closing) {
    if (isUntitled() || !changedOnDisk()) {
        return Foreign::None;
    }
    if (m_settling) {
        return Foreign::Failed;  // e.g. the autosave while the question below is shown
    }
    const struct Settling {
        bool& flag;
        explicit Settling(bool& f) : flag(f) { flag = true; }
        ~Settling() { flag = false; }
    } settling(m_settling);
    if (!hasUnsavedChanges()) {
        if (closing || reloadDataFile(true)) {
            return Foreign::Settled;
        }
        return Foreign::None;
    }
    // Unattended, ours is kept beside the file: the choice that loses nothing.
    const Prompter::Answer answer =
        m_unattended
            ? Prompter::Answer::Cancel
            : m_s.prompter.ask(
                  {quoted(m_dataFile) + " was changed by another program, and your changes in "
                                        "Linkhaven are not saved.\n\n"
                                        "Yes: load the file's version; your changes are lost.\n"
                                        "No: keep your version and save it over the file.\n"
                                        "Cancel: save your version as a copy beside the file, then "
                                        "load the file's version.",
                   "Linkhaven", Prompter::Buttons::YesNoCancel, Prompter::Icon::Warning});
    switch (answer) {
        case Prompter::Answer::Yes:
            return closing || reloadDataFile(false) ? Foreign::Settled : Foreign::None;
        case Prompter::Answer::No:
            return Foreign::SaveMine;
        default: {
            const std::string copy = saveCopyBeside();
            if (copy.empty()) {
                return Foreign::Failed;
            }
            tell("Your version was saved as " + quoted(copy) + ".", false);
            return closing || reloadDataFile(false) ? Foreign::Settled : Foreign::None;
        }
    }
}

bool FileCommands::reloadDataFile(bool quiet) {
    // Tried on a scratch database first: a half-written or damaged file must not empty ours.
    const ProbedFile probed = probeFile(m_dataFile);
    if (probed.outcome != store::LoadOutcome::Loaded) {
        m_diskStamp = probed.stamp;  // told once for this version of the file
        const std::string text = quoted(m_dataFile) +
                                 " was changed by another program but cannot be loaded (" +
                                 probed.error.userMessage() + "); Linkhaven keeps its own version.";
        if (quiet) {
            m_s.host.showStatus(text);
        } else {
            tell(text, true);
        }
        return false;
    }
    m_s.host.keepViewOnNextLoad();
    platform::IoError error;
    (void)m_s.db.loadBytes(probed.bytes, m_dataFile, error);  // the same bytes load the same way
    m_diskStamp = probed.stamp;
    m_savedState.markSaved();
    m_s.host.showStatus("Loaded " + std::string(platform::fileName(m_dataFile)) +
                        " again: another program changed it.");
    return true;
}

std::string FileCommands::saveCopyBeside() {
    const platform::LocalTime now = m_s.clock.now();
    platform::IoError error;
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string name = copyName(m_dataFile, now, attempt);
        if (platform::pathExists(name, platform::Links::NoFollow)) {
            continue;
        }
        if (m_s.db.save(name, error)) {
            return name;
        }
        break;
    }
    tell("Your version could not be saved beside " + quoted(m_dataFile) + ".\n" +
             error.userMessage() + "\n\nIt stays open and unsaved.",
         true);
    return {};
}

bool FileCommands::saveQuietly(platform::IoError& error) {
    if (isUntitled()) {
        error = {"save", {}, 0, "the database has no file yet"};
        return false;
    }
    if (!m_s.db.save(m_dataFile, error)) {
        return false;
    }
    settle();
    return true;
}

bool FileCommands::saveDataFile(bool evenUnchanged) {
    switch (settleForeignChange(false)) {
        case Foreign::Settled:
            return true;
        case Foreign::Failed:
            return false;
        case Foreign::None:
            if (!evenUnchanged && !needsWriting()) {
                return true;
            }
            break;
        case Foreign::SaveMine:
            break;
    }
    return saveTo(m_dataFile);
}

FileCommands::CloseSave FileCommands::saveDataFileAndClose(platform::IoError& error) {
    switch (settleForeignChange(true)) {
        case Foreign::Settled:
            m_s.db.clear();
            return CloseSave::Closed;
        case Foreign::Failed:
            return CloseSave::Stopped;
        case Foreign::None:
            if (!needsWriting()) {
                m_s.db.clear();  // the file holds it all: a second writer is not overwritten
                return CloseSave::Closed;
            }
            break;
        case Foreign::SaveMine:
            break;
    }
    if (m_s.db.saveAndClose(m_dataFile, error)) {
        return CloseSave::Closed;
    }
    m_dataFileFailed = true;
    return CloseSave::WriteFailed;
}

}  // namespace lh::commands

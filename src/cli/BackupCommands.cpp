// linkhaven-cli commands for the backups beside a data file.

#include <filesystem>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"
#include "store/Backups.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

// Backups lie beside the data file, so a relative FILE is taken from the current folder.
std::string absolutePath(const std::string& path) {
    if (platform::isAbsolutePath(path)) {
        return path;
    }
    return (std::filesystem::path(platform::currentFolder()) / path).lexically_normal().string();
}

int cmdBackup(Context& c) {
    if (c.args.size() != 1) {
        return usageError(c, "backup takes one FILE");
    }
    const std::string path = absolutePath(c.args[0]);
    store::Database db;
    if (int code = loadOrReport(c, db, path); code != kExitOk) {
        return code;
    }
    const std::string backup = store::chooseBackupName(path);
    if (!backup.empty() &&
        saveOrReport(c, db, backup, "cannot write the backup " + backup + ": ") != kExitOk) {
        return kExitFailed;
    }
    c.out << JsonLine().add("backup", backup).str() << "\n";
    return kExitOk;
}

int cmdBackups(Context& c) {
    if (c.args.size() != 1) {
        return usageError(c, "backups takes one FILE");
    }
    for (const store::BackupRow& row : store::restoreList(absolutePath(c.args[0]))) {
        JsonLine line;
        line.add("name", row.name).add("date", row.date).add("folder", row.folder);
        line.add("iso", row.iso);
        if (row.newest) {
            line.add("newest", true);
        }
        c.out << line.str() << "\n";
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> backupCommands() {
    return {
        {"backup",
         "backup FILE          write a backup of FILE to the next of its four backup slots:\n"
         "                       its name without the extension plus .lbak1 .. .lbak4, beside\n"
         "                       it (my.lhd: my.lbak1), the oldest replaced",
         cmdBackup},
        {"backups",
         "backups FILE         list the backups of FILE, highest slot first, one JSON line each;\n"
         "                       the last written has \"newest\":true",
         cmdBackups},
    };
}

}  // namespace lh::cli

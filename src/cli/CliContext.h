#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

#include "platform/IoError.h"

namespace lh::store {
class Database;
enum class LoadOutcome;
}  // namespace lh::store

namespace lh::cli {

class Workspace;

// What a command gets: its arguments (after the command name), the two output streams, where a
// command that changes a file works, and the folder relative paths are taken from.
struct Context {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
    Workspace* workspace = nullptr;
    std::string folder;  // empty: the process's current folder

    // `path` made absolute against `folder` when that is given.
    std::string path(const std::string& path) const;
};

// One command of linkhaven-cli.
struct Command {
    std::string name;
    std::string usage;  // e.g. "info FILE            load FILE and print what it holds"
    std::function<int(Context&)> run;
};

// Every failure prints {"error":message,"path":file} as the only line on out and the message
// on err, in words a user understands, and returns its exit code.

// A failure: prints as above and returns `code`.
int fail(Context& c, const std::string& file, const std::string& message, int code = kExitFailed);
// Bad usage: prints as fail() with an empty path, then the usage on err; returns kExitFailed.
int usageError(Context& c, const std::string& message);
// kExitOk for a database that loaded; otherwise reports why as fail() does and returns
// kExitUnreadable (missing, empty, unreadable) or kExitRefused (damaged or not a database).
int reportLoad(Context& c, const std::string& path, store::LoadOutcome outcome,
               const platform::IoError& error);
// Loads `path` into `db` and reports as reportLoad does.
int loadOrReport(Context& c, store::Database& db, const std::string& path);
// The same into the workspace's database, for a command that changes the file.
int loadToChange(Context& c, const std::string& path);
// Saves `db` to `path`; on failure reports `what` + the reason as fail() does and returns
// kExitFailed.
int saveOrReport(Context& c, store::Database& db, const std::string& path, const std::string& what);
// Reports that saving `path` failed as fail() does; returns kExitFailed.
int reportSave(Context& c, const std::string& path, const platform::IoError& error);

// The command groups; each lives in its own file.
std::vector<Command> storeCommands();
std::vector<Command> backupCommands();
std::vector<Command> importCommands();
std::vector<Command> findCommands();
std::vector<Command> dueCommands();
std::vector<Command> listCommands();
std::vector<Command> editCommands();
std::vector<Command> updateCommands();
std::vector<Command> linkCommands();

}  // namespace lh::cli

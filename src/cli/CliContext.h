#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace lh::store {
class Database;
}

namespace lh::cli {

// What a command gets: its arguments (after the command name) and the two output streams.
struct Context {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

// One command of linkhaven-cli.
struct Command {
    std::string name;
    std::string usage;  // e.g. "info FILE            load FILE and print what it holds"
    std::function<int(Context&)> run;
};

// Prints `message` and the usage to err; returns kExitFailed.
int usageError(Context& c, const std::string& message);

// Loads `path` into `db`. On failure prints why and returns kExitUnreadable (missing, empty,
// unreadable) or kExitRefused (damaged or not a database); kExitOk on success.
int loadOrReport(Context& c, store::Database& db, const std::string& path);

// The command groups; each lives in its own file.
std::vector<Command> storeCommands();
std::vector<Command> backupCommands();
std::vector<Command> importCommands();

}  // namespace lh::cli

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lh::cli {

// Exit codes of linkhaven-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;        // bad usage, or the command could not do its work
inline constexpr int kExitUnreadable = 2;    // the database file is missing, empty or unreadable
inline constexpr int kExitRefused = 3;       // the database file is damaged or not a database
inline constexpr int kExitOpenInWindow = 4;  // a running window has the file open and cannot take
                                             // the command (--no-window, or busy)

class InstanceLink;
struct RunRequest;
class Workspace;

// Runs linkhaven-cli with `args` (without the program name). Results go to `out` as one line
// of JSON (the tree listing as text), messages to `err`. Returns the exit code.
// With a `link`, a command that changes a file a running window has open is handed to that
// window; "--no-window" anywhere refuses instead.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        InstanceLink* link = nullptr);

// A command handed to a running window: `request`'s command on the window's `workspace`.
int runHandedOver(const RunRequest& request, Workspace& workspace, std::ostream& out,
                  std::ostream& err);

}  // namespace lh::cli

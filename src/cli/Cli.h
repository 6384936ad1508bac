#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lh::cli {

// Exit codes of linkhaven-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;      // bad usage, or the command could not do its work
inline constexpr int kExitUnreadable = 2;  // the database file is missing, empty or unreadable
inline constexpr int kExitRefused = 3;     // the database file is damaged or not a database

// Runs linkhaven-cli with `args` (without the program name). Results go to `out` as one line
// of JSON (the tree listing as text), messages to `err`. Returns the exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lh::cli

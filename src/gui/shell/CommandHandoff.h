#pragma once

#include <functional>

#include "cli/Handoff.h"

namespace lh::commands {
class FileCommands;
}
namespace lh::store {
class Database;
}

namespace lh::gui {

// Carries out a linkhaven-cli command that changes the file this window has open, on the
// database the window shows (its views follow at once), and saves the file before it answers.
class CommandHandoff {
public:
    // `busy` tells when the window cannot take a command now (a dialog or an import runs).
    CommandHandoff(store::Database& db, commands::FileCommands& files, std::function<bool()> busy);

    cli::RunReply handle(const cli::RunRequest& request);

private:
    class WindowWorkspace;

    store::Database& m_db;
    commands::FileCommands& m_files;
    std::function<bool()> m_busy;
};

}  // namespace lh::gui

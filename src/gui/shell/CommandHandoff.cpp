#include "gui/shell/CommandHandoff.h"

#include <sstream>

#include "cli/Cli.h"
#include "cli/Workspace.h"
#include "commands/FileCommands.h"
#include "platform/FileInfo.h"
#include "store/Database.h"

namespace lh::gui {

// The window's database as a command's workspace: its own file is loaded already, and saving
// writes the data file the way the window does.
class CommandHandoff::WindowWorkspace final : public cli::Workspace {
public:
    WindowWorkspace(store::Database& db, commands::FileCommands& files)
        : m_db(db), m_files(files) {}

    store::Database& db() override { return m_db; }
    store::LoadOutcome load(const std::string& path, platform::IoError& error) override {
        if (platform::isSameFile(path, m_files.dataFile())) {
            return store::LoadOutcome::Loaded;
        }
        // Another file loaded into the window's database (resave IN onto the open file): tried
        // on a scratch database first, so that a file that does not load leaves ours alone.
        store::Database probe;
        if (const store::LoadOutcome outcome = probe.load(path, error);
            outcome != store::LoadOutcome::Loaded) {
            return outcome;
        }
        return m_db.load(path, error);
    }
    bool save(const std::string& path, platform::IoError& error) override {
        if (!platform::isSameFile(path, m_files.dataFile())) {
            error = {"save", path, 0, "Linkhaven writes only the file it has open"};
            return false;
        }
        return m_files.saveQuietly(error);
    }
    bool createDefault(const std::string& path, platform::IoError& error) override {
        if (!platform::isSameFile(path, m_files.dataFile())) {
            error = {"save", path, 0, "Linkhaven writes only the file it has open"};
            return false;
        }
        m_db.createDefault();
        return m_files.saveQuietly(error);
    }

private:
    store::Database& m_db;
    commands::FileCommands& m_files;
};

CommandHandoff::CommandHandoff(store::Database& db, commands::FileCommands& files,
                               std::function<bool()> busy)
    : m_db(db), m_files(files), m_busy(std::move(busy)) {}

cli::RunReply CommandHandoff::handle(const cli::RunRequest& request) {
    using Kind = cli::RunReply::Kind;
    const std::optional<std::string> file = cli::writtenFile(request.args);
    if (!file || m_files.isUntitled()) {
        return {Kind::NotMine, 0, {}, {}};
    }
    const std::string path = cli::pathFrom(request.folder, *file);
    if (!platform::isSameFile(path, m_files.dataFile())) {
        return {Kind::NotMine, 0, {}, {}};
    }
    if (m_busy && m_busy()) {
        return {Kind::Busy, 0, {}, {}};
    }
    if (request.onlyAsk) {
        return {Kind::Done, 0, {}, {}};
    }
    WindowWorkspace workspace(m_db, m_files);
    std::ostringstream out, err;
    const int code = cli::runHandedOver(request, workspace, out, err);
    return {Kind::Done, code, out.str(), err.str()};
}

}  // namespace lh::gui

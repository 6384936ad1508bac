#include "cli/Cli.h"

#include <ostream>

#include <filesystem>
#include <optional>

#include "cli/CliContext.h"
#include "cli/Handoff.h"
#include "cli/Json.h"
#include "cli/Workspace.h"
#include "platform/FileInfo.h"
#include "store/Database.h"
#include "update/ProductInfo.h"

namespace lh::cli {

namespace {

std::vector<Command> allCommands() {
    std::vector<Command> commands;
    for (auto group : {storeCommands, backupCommands, importCommands, findCommands, dueCommands,
                       listCommands, editCommands, updateCommands, linkCommands}) {
        for (Command& c : group()) {
            commands.push_back(std::move(c));
        }
    }
    return commands;
}

std::string usageText() {
    std::string text = "Usage: linkhaven-cli COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& c : allCommands()) {
        text += "  " + c.usage + "\n";
    }
    text +=
        "  --help               show this text\n"
        "  --version            show the version\n"
        "\n"
        "An ITEM is --url ADDRESS (a link; letter case ignored) or PATH:N, the N-th item of "
        "`list`.\n"
        "A PATH names a category from below the root, e.g. WebFavorite/BBS; in a name \"/\" is\n"
        "written \\/ and \"\\\" is written \\\\. A failed item command prints "
        "{\"error\":...,\"path\":FILE}.\n"
        "\n"
        "Results are printed as one line of JSON. Exit codes: 0 done, 1 failed or bad usage,\n"
        "2 the database file is missing, empty or unreadable, 3 the file is damaged or not a\n"
        "Linkhaven database, 4 the file is open in a running Linkhaven that cannot take the\n"
        "command (with --no-window, or while it is busy).\n"
        "\n"
        "A command that changes a file a running Linkhaven has open is carried out by that\n"
        "window, which saves the file before it answers. --no-window refuses instead.\n";
    return text;
}

}  // namespace

int usageError(Context& c, const std::string& message) {
    c.out << JsonLine().add("error", message).add("path", "").str() << "\n";
    c.err << "linkhaven-cli: " << message << "\n" << usageText();
    return kExitFailed;
}

namespace {

// The exit code and message of a load of `path` that did not succeed.
std::pair<int, std::string> loadFailure(const std::string& path, store::LoadOutcome outcome,
                                        const platform::IoError& error) {
    const std::string quoted = "'" + path + "'";
    switch (outcome) {
        case store::LoadOutcome::Refused:
            return {kExitRefused, quoted + " is not a Linkhaven database or is damaged: " +
                                      (error.detail.empty() ? error.userMessage() : error.detail)};
        case store::LoadOutcome::Missing:
            return {kExitUnreadable, quoted + " does not exist"};
        case store::LoadOutcome::Empty:
            return {kExitUnreadable, quoted + " is empty"};
        default:
            return {kExitUnreadable, error.userMessage()};
    }
}

}  // namespace

int fail(Context& c, const std::string& file, const std::string& message, int code) {
    c.out << JsonLine().add("error", message).add("path", file).str() << "\n";
    c.err << "linkhaven-cli: " << message << "\n";
    return code;
}

int reportLoad(Context& c, const std::string& path, store::LoadOutcome outcome,
               const platform::IoError& error) {
    if (outcome == store::LoadOutcome::Loaded) {
        return kExitOk;
    }
    const auto [code, message] = loadFailure(path, outcome, error);
    return fail(c, path, message, code);
}

int loadOrReport(Context& c, store::Database& db, const std::string& path) {
    platform::IoError error;
    return reportLoad(c, path, db.load(path, error), error);
}

int loadToChange(Context& c, const std::string& path) {
    platform::IoError error;
    return reportLoad(c, path, c.workspace->load(path, error), error);
}

std::string Context::path(const std::string& p) const {
    return pathFrom(folder, p);
}

int saveOrReport(Context& c, store::Database& db, const std::string& path,
                 const std::string& what) {
    platform::IoError error;
    return db.save(path, error) ? kExitOk : fail(c, path, what + error.userMessage());
}

int reportSave(Context& c, const std::string& path, const platform::IoError& error) {
    return fail(c, path, "'" + path + "' could not be saved: " + error.userMessage());
}

namespace {

const Command* findCommand(const std::string& name) {
    static const std::vector<Command> commands = allCommands();
    for (const Command& command : commands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

std::string currentFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

// A command that writes a file a running window has open goes to that window. Nothing when the
// command is to run here.
std::optional<int> handOver(Context& c, const std::vector<std::string>& args, bool noWindow,
                            InstanceLink& link) {
    const std::optional<std::string> file = writtenFile(args);
    if (!file || !platform::fileStamp(*file)) {
        return std::nullopt;  // a file that is not there yet is nobody's
    }
    const std::optional<RunReply> reply = link.ask({args, currentFolder(), noWindow});
    if (!reply || reply->kind == RunReply::Kind::NotMine) {
        return std::nullopt;
    }
    if (reply->kind == RunReply::Kind::Busy) {
        return fail(c, *file,
                    *file +
                        " is open in Linkhaven, which is busy (a dialog or an import is "
                        "open there); try again when it is done",
                    kExitOpenInWindow);
    }
    if (noWindow) {
        return fail(c, *file, *file + " is open in Linkhaven", kExitOpenInWindow);
    }
    c.out << reply->out;
    c.err << reply->err;
    return reply->code;
}

}  // namespace

int run(const std::vector<std::string>& given, std::ostream& out, std::ostream& err,
        InstanceLink* link) {
    FileWorkspace workspace;
    Context context{{}, out, err, &workspace, {}};
    std::vector<std::string> args;
    bool noWindow = false;
    for (const std::string& a : given) {
        if (a == "--no-window") {
            noWindow = true;
        } else {
            args.push_back(a);
        }
    }
    if (args.empty()) {
        return usageError(context, "no command given");
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << usageText();
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "linkhaven-cli " << update::kVersionText << "\n";
        return kExitOk;
    }
    const Command* command = findCommand(args[0]);
    if (command == nullptr) {
        return usageError(context, "unknown command '" + args[0] + "'");
    }
    if (link != nullptr) {
        if (const std::optional<int> code = handOver(context, args, noWindow, *link)) {
            return *code;
        }
    }
    context.args.assign(args.begin() + 1, args.end());
    return command->run(context);
}

int runHandedOver(const RunRequest& request, Workspace& workspace, std::ostream& out,
                  std::ostream& err) {
    Context context{{}, out, err, &workspace, request.folder};
    const Command* command = request.args.empty() ? nullptr : findCommand(request.args[0]);
    if (command == nullptr) {
        return usageError(context, "unknown command");
    }
    context.args.assign(request.args.begin() + 1, request.args.end());
    return command->run(context);
}

}  // namespace lh::cli

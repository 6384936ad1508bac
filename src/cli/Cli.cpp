#include "cli/Cli.h"

#include <ostream>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

std::vector<Command> allCommands() {
    std::vector<Command> commands;
    for (auto group : {storeCommands, backupCommands, importCommands, findCommands, dueCommands,
                       listCommands, editCommands}) {
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
        "Linkhaven database.\n";
    return text;
}

}  // namespace

int usageError(Context& c, const std::string& message) {
    c.err << "linkhaven-cli: " << message << "\n" << usageText();
    return kExitFailed;
}

namespace {

// The exit code and message of a load that did not succeed.
std::pair<int, std::string> loadFailure(store::LoadOutcome outcome,
                                        const platform::IoError& error) {
    if (outcome == store::LoadOutcome::Refused) {
        return {kExitRefused, "not a Linkhaven database or damaged: " + error.message()};
    }
    return {kExitUnreadable, "cannot read " + error.message()};
}

}  // namespace

int reportLoad(Context& c, store::LoadOutcome outcome, const platform::IoError& error) {
    if (outcome == store::LoadOutcome::Loaded) {
        return kExitOk;
    }
    const auto [code, message] = loadFailure(outcome, error);
    c.err << "linkhaven-cli: " << message << "\n";
    return code;
}

int fail(Context& c, const std::string& file, const std::string& message, int code) {
    c.out << JsonLine().add("error", message).add("path", file).str() << "\n";
    c.err << "linkhaven-cli: " << message << "\n";
    return code;
}

int loadOrFail(Context& c, store::Database& db, const std::string& path) {
    platform::IoError error;
    const store::LoadOutcome outcome = db.load(path, error);
    if (outcome == store::LoadOutcome::Loaded) {
        return kExitOk;
    }
    const auto [code, message] = loadFailure(outcome, error);
    return fail(c, path, message, code);
}

int loadOrReport(Context& c, store::Database& db, const std::string& path) {
    platform::IoError error;
    const store::LoadOutcome outcome = db.load(path, error);
    return reportLoad(c, outcome, error);
}

int saveOrReport(Context& c, store::Database& db, const std::string& path,
                 const std::string& what) {
    if (platform::IoError error; !db.save(path, error)) {
        c.err << "linkhaven-cli: " << what << error.message() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Context context{{}, out, err};
    if (args.empty()) {
        return usageError(context, "no command given");
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << usageText();
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "linkhaven-cli " << LINKHAVEN_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& command : allCommands()) {
        if (command.name == args[0]) {
            context.args.assign(args.begin() + 1, args.end());
            return command.run(context);
        }
    }
    return usageError(context, "unknown command '" + args[0] + "'");
}

}  // namespace lh::cli

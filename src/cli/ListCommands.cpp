// linkhaven-cli list and open: the items of a category, and opening one as the window does.

#include "browse/BrowserCommand.h"
#include "browse/DefaultBrowser.h"
#include "cli/CliContext.h"
#include "cli/ItemArguments.h"
#include "cli/ItemJson.h"
#include "commands/ItemCommandRules.h"
#include "platform/ProcessStart.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::cli {

namespace {

constexpr const char* kDefaultPath = "WebFavorite";

int cmdList(Context& c) {
    const ItemArguments a = parseItemArguments(c.args, {}, {"--recursive"}, false);
    if (!a.error.empty() || a.positional.empty() || a.positional.size() > 2 || !a.items.empty()) {
        return usageError(c, a.error.empty() ? "list takes FILE and a PATH" : a.error);
    }
    const std::string& file = a.positional[0];
    store::Database db;
    if (int code = loadOrReport(c, db, file); code != kExitOk) {
        return code;
    }
    const PathLookup path = findPath(db, a.positional.size() > 1 ? a.positional[1] : kDefaultPath);
    if (path.category == nullptr) {
        return fail(c, file, path.error);
    }
    const auto print = [&](const store::CategoryRecord& category) {
        store::walkItems(category, [&](const store::ItemRecord& item) {
            c.out << itemJson(db, item) << "\n";
            return false;
        });
        return false;
    };
    print(*path.category);
    if (a.has("--recursive")) {
        store::walkDescendants(*path.category, print);
    }
    return kExitOk;
}

// Starts what the window's Browse URL or Open File would; the error to report, if any.
std::string openItem(const store::ItemRecord& item, const std::string& browserCommand) {
    if (item.kind() == store::kKindFile) {
        const std::string path = commands::filePathOf(item);
        return platform::startDetached("xdg-open", {path}) ? ""
                                                           : "cannot start xdg-open for " + path;
    }
    if (item.kind() != store::kKindUrl) {
        return "only links and files can be opened";
    }
    browse::LaunchPlan plan;
    if (!browserCommand.empty()) {
        plan = browse::planOpenUrlWithCommand(item.address(), browserCommand);
    } else if (const auto browser = browse::findDefaultBrowser()) {
        plan = browse::planOpenUrl(item.address(), *browser);
    } else {
        return "No web browser was found to open the address.";
    }
    if (!plan.ok()) {
        return plan.error;
    }
    return platform::startDetached(plan.program, plan.arguments)
               ? ""
               : "The browser \"" + plan.program + "\" could not be started.";
}

int cmdOpen(Context& c) {
    const ItemArguments a = parseItemArguments(c.args, {"--browser"}, {}, true);
    if (!a.error.empty() || a.positional.size() != 1 || a.items.size() != 1) {
        return usageError(c, a.error.empty() ? "open takes FILE and one ITEM" : a.error);
    }
    const std::string& file = a.positional[0];
    store::Database db;
    if (int code = loadOrReport(c, db, file); code != kExitOk) {
        return code;
    }
    const ItemLookup found = findItems(db, a.items);
    if (!found.error.empty()) {
        return fail(c, file, found.error);
    }
    const store::ItemRecord& item = *db.findItem(found.ids.front());
    if (const std::string error = openItem(item, a.value("--browser").value_or(""));
        !error.empty()) {
        return fail(c, file, error);
    }
    c.out << itemJson(db, item) << "\n";
    return kExitOk;
}

}  // namespace

std::vector<Command> listCommands() {
    return {
        {"list",
         "list FILE [PATH] [--recursive]\n"
         "                       print the items of a category (default WebFavorite) in order,\n"
         "                       one line each; e.g. list a.lhd WebFavorite/BBS",
         cmdList},
        {"open",
         "open FILE ITEM [--browser COMMAND]\n"
         "                       open a link in the browser or a file in its program;\n"
         "                       e.g. open a.lhd --url https://example.org/",
         cmdOpen},
    };
}

}  // namespace lh::cli

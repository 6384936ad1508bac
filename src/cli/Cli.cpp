#include "cli/Cli.h"

#include <sys/stat.h>

#include <functional>
#include <map>
#include <ostream>

#include "cli/Json.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::cli {

namespace {

constexpr const char* kUsage =
    "Usage: linkhaven-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  new FILE [--force]   write the default database to FILE (refuses an existing FILE\n"
    "                       unless --force)\n"
    "  info FILE            load FILE and print what it holds\n"
    "  tree FILE            print the category tree of FILE\n"
    "  resave IN OUT        load IN and save it to OUT\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Results are printed as one line of JSON. Exit codes: 0 done, 1 failed or bad usage,\n"
    "2 the database file is missing, empty or unreadable, 3 the file is damaged or not a\n"
    "Linkhaven database.\n";

struct Context {
    std::vector<std::string> args;  // after the command name
    std::ostream& out;
    std::ostream& err;
};

int usageError(Context& c, const std::string& message) {
    c.err << "linkhaven-cli: " << message << "\n" << kUsage;
    return kExitFailed;
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Loads `path` into `db`; on failure prints why and gives the exit code to end with.
int loadOrReport(Context& c, store::Database& db, const std::string& path) {
    switch (db.load(path)) {
        case 1:
            return kExitOk;
        case 0:
            c.err << "linkhaven-cli: cannot read " << db.lastError().message() << "\n";
            return kExitUnreadable;
        default:
            c.err << "linkhaven-cli: not a Linkhaven database or damaged: "
                  << db.lastError().message() << "\n";
            return kExitRefused;
    }
}

int cmdNew(Context& c) {
    bool force = false;
    std::vector<std::string> paths;
    for (const auto& a : c.args) {
        if (a == "--force") {
            force = true;
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 1) {
        return usageError(c, "new takes one FILE");
    }
    const std::string& path = paths.front();
    if (!force && pathExists(path)) {
        c.err << "linkhaven-cli: " << path << " exists; use --force to replace it\n";
        return kExitFailed;
    }
    store::Database db;
    if (db.createDefault(path) != 1) {
        c.err << "linkhaven-cli: cannot write " << db.lastError().message() << "\n";
        return kExitFailed;
    }
    c.out << JsonLine().add("created", path).add("categories", db.categoryIndex().size()).str()
          << "\n";
    return kExitOk;
}

int cmdInfo(Context& c) {
    if (c.args.size() != 1) {
        return usageError(c, "info takes one FILE");
    }
    store::Database db;
    if (int code = loadOrReport(c, db, c.args[0]); code != kExitOk) {
        return code;
    }
    std::size_t urls = 0, files = 0, reminds = 0, indexed = 0;
    store::walkSearchOrder(db.root(), [&](store::CategoryRecord& category) {
        store::walkItems(category, [&](store::ItemRecord& item) {
            urls += item.kind() == store::kKindUrl;
            files += item.kind() == store::kKindFile;
            reminds += item.kind() == store::kKindRemind;
            return false;
        });
        return false;
    });
    for (const auto& [key, list] : db.remindIndex()) {
        indexed += list.size();
    }
    c.out << JsonLine()
                 .add("result", 1)
                 .add("categories", db.categoryIndex().size())
                 .add("items", db.itemCount())
                 .add("url_items", urls)
                 .add("file_items", files)
                 .add("remind_items", reminds)
                 .add("menu_items", db.menuIndex().size())
                 .add("reminders_indexed", indexed)
                 .add("next_category_id", db.nextCategoryId())
                 .str()
          << "\n";
    return kExitOk;
}

int cmdTree(Context& c) {
    if (c.args.size() != 1) {
        return usageError(c, "tree takes one FILE");
    }
    store::Database db;
    if (int code = loadOrReport(c, db, c.args[0]); code != kExitOk) {
        return code;
    }
    store::walkSearchOrder(db.root(), [&](store::CategoryRecord& category) {
        std::size_t items = 0;
        store::walkItems(category, [&](store::ItemRecord&) {
            ++items;
            return false;
        });
        c.out << std::string(2 * category.depth, ' ') << category.name << "  [id " << category.id
              << ", " << items << (items == 1 ? " item]\n" : " items]\n");
        return false;
    });
    return kExitOk;
}

int cmdResave(Context& c) {
    if (c.args.size() != 2) {
        return usageError(c, "resave takes IN and OUT");
    }
    store::Database db;
    if (int code = loadOrReport(c, db, c.args[0]); code != kExitOk) {
        return code;
    }
    if (db.save(c.args[1]) != 1) {
        c.err << "linkhaven-cli: cannot save: " << db.lastError().message() << "\n";
        return kExitFailed;
    }
    c.out << JsonLine().add("saved", c.args[1]).add("items", db.itemCount()).str() << "\n";
    return kExitOk;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static const std::map<std::string, std::function<int(Context&)>> commands = {
        {"new", cmdNew}, {"info", cmdInfo}, {"tree", cmdTree}, {"resave", cmdResave}};
    Context context{{}, out, err};
    if (args.empty()) {
        return usageError(context, "no command given");
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "linkhaven-cli " << LINKHAVEN_VERSION << "\n";
        return kExitOk;
    }
    const auto command = commands.find(args[0]);
    if (command == commands.end()) {
        return usageError(context, "unknown command '" + args[0] + "'");
    }
    context.args.assign(args.begin() + 1, args.end());
    return command->second(context);
}

}  // namespace lh::cli

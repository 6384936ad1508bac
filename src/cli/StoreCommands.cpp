// linkhaven-cli commands that create, inspect and rewrite database files.

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "cli/Workspace.h"
#include "platform/FileInfo.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::cli {

namespace {

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
    // A dangling symbolic link is refused too: saving would create its target.
    if (!force && platform::pathExists(c.path(path), platform::Links::NoFollow)) {
        return fail(c, path, path + " exists; use --force to replace it");
    }
    if (platform::IoError error; !c.workspace->createDefault(c.path(path), error)) {
        return reportSave(c, path, error);
    }
    c.out << JsonLine()
                 .add("created", path)
                 .add("categories", c.workspace->db().categoryCount())
                 .str()
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
    std::size_t indexed = 0;
    for (const auto& [key, list] : db.remindIndex()) {
        indexed += list.size();
    }
    c.out << JsonLine()
                 .add("result", 1)
                 .add("categories", db.categoryCount())
                 .add("items", db.itemCount())
                 .add("url_items", db.itemCountOfKind(store::kKindUrl))
                 .add("file_items", db.itemCountOfKind(store::kKindFile))
                 .add("remind_items", db.itemCountOfKind(store::kKindRemind))
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
    store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& category) {
        const std::size_t items = category.itemCount();
        c.out << std::string(2 * category.depth(), ' ') << category.name() << "  [id "
              << category.id() << ", " << items << (items == 1 ? " item]\n" : " items]\n");
        return false;
    });
    return kExitOk;
}

int cmdResave(Context& c) {
    if (c.args.size() != 2) {
        return usageError(c, "resave takes IN and OUT");
    }
    if (int code = loadToChange(c, c.path(c.args[0])); code != kExitOk) {
        return code;
    }
    if (platform::IoError error; !c.workspace->save(c.path(c.args[1]), error)) {
        return reportSave(c, c.args[1], error);
    }
    c.out << JsonLine().add("saved", c.args[1]).add("items", c.workspace->db().itemCount()).str()
          << "\n";
    return kExitOk;
}

}  // namespace

std::vector<Command> storeCommands() {
    return {
        {"new",
         "new FILE [--force]   write the default database to FILE (refuses an existing FILE\n"
         "                       unless --force)",
         cmdNew},
        {"info", "info FILE            load FILE and print what it holds", cmdInfo},
        {"tree", "tree FILE            print the category tree of FILE", cmdTree},
        {"resave", "resave IN OUT        load IN and save it to OUT", cmdResave},
    };
}

}  // namespace lh::cli

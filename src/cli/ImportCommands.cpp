// linkhaven-cli commands that import browser bookmarks into a database file and export them.

#include "bookmarks/BookmarkExport.h"
#include "bookmarks/BookmarkImport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/FirefoxImport.h"
#include "cli/CliContext.h"
#include "cli/Json.h"
#include "cli/Workspace.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

// Loads the database at `path` into the workspace, or starts the default database there when
// there is no file.
int openOrCreate(Context& c, const std::string& path) {
    platform::IoError error;
    const store::LoadOutcome outcome = c.workspace->load(c.path(path), error);
    if (outcome == store::LoadOutcome::Missing) {
        c.workspace->db().createDefault();
        return kExitOk;
    }
    return reportLoad(c, path, outcome, error);
}

int save(Context& c, const std::string& path) {
    platform::IoError error;
    return c.workspace->save(c.path(path), error) ? kExitOk : reportSave(c, path, error);
}

// Why an import that added something stopped early, with what it kept.
std::string stoppedMessage(const bookmarks::ImportResult& result) {
    return result.error + " What was imported before (" + std::to_string(result.itemsAdded) +
           " links, " + std::to_string(result.categoriesAdded) + " categories) was saved.";
}

// Runs `work` on the database FILE (the first argument), saves it and prints the counts; an
// import that could not read its source (`source`) or a save that failed prints only the
// failure. What an import added before it stopped is saved all the same.
template <typename Work>
int runImport(Context& c, const std::string& path, const std::string& source, Work work) {
    if (int code = openOrCreate(c, path); code != kExitOk) {
        return code;
    }
    const bookmarks::ImportResult result = work(c.workspace->db());
    const bool added = result.itemsAdded > 0 || result.categoriesAdded > 0;
    if (!added && !result.error.empty()) {
        return fail(c, source, result.error);
    }
    if (int code = save(c, path); code != kExitOk) {
        return code;
    }
    if (!result.error.empty()) {
        return fail(c, source, stoppedMessage(result));
    }
    c.out << JsonLine()
                 .add("categories_added", result.categoriesAdded)
                 .add("items_added", result.itemsAdded)
                 .add("duplicates_skipped", result.duplicatesSkipped)
                 .add("links_skipped", result.linksSkipped)
                 .add("too_long_skipped", result.tooLongSkipped)
                 .add("bookmark_file", result.bookmarkFile)
                 .str()
          << "\n";
    return kExitOk;
}

int cmdImportHtml(Context& c) {
    if (c.args.size() != 2) {
        return usageError(c, "import-html takes FILE.lhd and BOOKMARKS.html");
    }
    const std::string html = c.path(c.args[1]);
    return runImport(c, c.args[0], c.args[1],
                     [&](store::Database& db) { return bookmarks::importBookmarkFile(db, html); });
}

int cmdImportFavorites(Context& c) {
    if (c.args.size() != 2) {
        return usageError(c, "import-favorites takes FILE.lhd and FOLDER");
    }
    const std::string folder = c.path(c.args[1]);
    return runImport(c, c.args[0], c.args[1], [&](store::Database& db) {
        return bookmarks::importFavoritesFolder(db, folder, store::kFavoritesId);
    });
}

int cmdImportFirefox(Context& c) {
    if (c.args.empty() || c.args.size() > 2) {
        return usageError(c, "import-firefox takes FILE.lhd and an optional PROFILE_DIR");
    }
    const std::string profile = c.args.size() == 2 ? c.path(c.args[1]) : std::string();
    return runImport(c, c.args[0], profile, [&](store::Database& db) {
        return profile.empty()
                   ? bookmarks::importFirefox(db, bookmarks::FirefoxEnvironment::current())
                   : bookmarks::importFirefoxProfile(db, profile);
    });
}

int cmdExportHtml(Context& c) {
    if (c.args.size() != 2) {
        return usageError(c, "export-html takes FILE.lhd and OUT.html");
    }
    if (int code = openOrCreate(c, c.args[0]); code != kExitOk) {
        return code;
    }
    const bookmarks::ExportResult result =
        bookmarks::exportBookmarkFile(c.workspace->db(), c.path(c.args[1]));
    if (!result.error.empty()) {
        return fail(c, c.args[1], result.error);
    }
    if (int code = save(c, c.args[0]); code != kExitOk) {
        return code;
    }
    c.out << JsonLine()
                 .add("categories_exported", result.categories)
                 .add("items_exported", result.links)
                 .str()
          << "\n";
    return kExitOk;
}

}  // namespace

std::vector<Command> importCommands() {
    return {
        {"import-html",
         "import-html FILE BOOKMARKS.html\n"
         "                       import a browser bookmark file into FILE (made when missing)",
         cmdImportHtml},
        {"import-favorites",
         "import-favorites FILE FOLDER\n"
         "                       import a folder of Internet-shortcut (.url) files into FILE",
         cmdImportFavorites},
        {"import-firefox",
         "import-firefox FILE [PROFILE_DIR]\n"
         "                       import the bookmarks of a Firefox profile (found by its\n"
         "                       profiles.ini when not given) into FILE",
         cmdImportFirefox},
        {"export-html",
         "export-html FILE OUT.html\n"
         "                       write the favourites of FILE as a browser bookmark file",
         cmdExportHtml},
    };
}

}  // namespace lh::cli

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/Cli.h"
#include "support/BookmarkTrees.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using Outcome = test::CliOutcome;
using test::runCli;

std::string counts(int categories, int items, int duplicates, bool bookmarkFile = true) {
    return "{\"categories_added\":" + std::to_string(categories) +
           ",\"items_added\":" + std::to_string(items) +
           ",\"duplicates_skipped\":" + std::to_string(duplicates) +
           ",\"bookmark_file\":" + (bookmarkFile ? "true" : "false") + "}\n";
}

// Each import makes the database when it is missing and saves it: the export reads what the two
// before it saved.
TEST(ImportCommandsTest, ImportsIntoTheDatabaseFileAndExportsFromIt) {
    test::TempDir dir;
    Outcome r = runCli({"import-html", dir.file("a.lhd"), test::dataFile("bookmarks/chrome.html")});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, counts(4, 6, 0));

    // Not a bookmark file: reported, and no database is made.
    test::writeBytes(dir.file("page.html"), "<html><body>hello</body></html>");
    r = runCli({"import-html", dir.file("b.lhd"), dir.file("page.html")});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_EQ(r.out, counts(0, 0, 0, false));
    EXPECT_EQ(r.err, "linkhaven-cli: \"" + dir.file("page.html") + "\" is not a bookmark file.\n");
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"a.lhd", "page.html"}));
    EXPECT_EQ(runCli({"import-html", dir.file("a.lhd")}).code, kExitFailed);

    const std::string lhd = dir.file("c.lhd");
    std::filesystem::create_directories(dir.file("fav/Sub"));
    test::writeBytes(dir.file("fav/Sub/One.url"), "[InternetShortcut]\nURL=https://one/\n");
    EXPECT_EQ(runCli({"import-favorites", lhd, dir.file("fav")}).out, counts(1, 1, 0));
    std::filesystem::create_directory(dir.file("profile"));
    test::writeBytes(dir.file("profile/bookmarks.html"),
                     test::readBytes(test::dataFile("bookmarks/safari.html")));
    EXPECT_EQ(runCli({"import-firefox", lhd, dir.file("profile")}).out, counts(4, 4, 0));
    r = runCli({"export-html", lhd, dir.file("out.html")});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "{\"categories_exported\":12,\"items_exported\":5}\n");
}

}  // namespace
}  // namespace lh::cli

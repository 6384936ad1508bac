#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "cli/Cli.h"
#include "support/BookmarkTrees.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using Outcome = test::CliOutcome;
using test::runCli;

std::string counts(int categories, int items, int duplicates, int skipped = 0, int tooLong = 0) {
    return "{\"categories_added\":" + std::to_string(categories) +
           ",\"items_added\":" + std::to_string(items) +
           ",\"duplicates_skipped\":" + std::to_string(duplicates) +
           ",\"links_skipped\":" + std::to_string(skipped) +
           ",\"too_long_skipped\":" + std::to_string(tooLong) + ",\"bookmark_file\":true}\n";
}

// Each import makes the database when it is missing and saves it: the export reads what the two
// before it saved.
TEST(ImportCommandsTest, ImportsIntoTheDatabaseFileAndExportsFromIt) {
    test::TempDir dir;
    Outcome r = runCli({"import-html", dir.file("a.lhd"), test::dataFile("bookmarks/chrome.html")});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, counts(4, 6, 0));
    r = runCli({"import-html", dir.file("a.lhd"), test::dataFile("bookmarks/unquoted.html")});
    EXPECT_EQ(r.out, counts(1, 1, 0, 5));
    r = runCli({"import-html", dir.file("a.lhd"), test::dataFile("bookmarks/long-address.html")});
    EXPECT_EQ(r.out, counts(1, 1, 0, 0, 1));
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

// A failed import prints the failure alone, never counts before it, and makes no database
// (load failures of the database itself are CliTest's).
TEST(ImportCommandsTest, PrintsOnlyTheFailureWithItsExitCode) {
    test::TempDir dir;
    const std::string lhd = dir.file("b.lhd"), page = dir.file("page.html");
    const std::string missing = dir.file("missing.html"), notFolder = dir.file("file/a.lhd");
    test::writeBytes(page, "<html><body>hello</body></html>");
    test::writeBytes(dir.file("file"), "not a folder");
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{"import-html", lhd, page}, "\\\"" + page + "\\\" is not a bookmark file.", page},
        {{"import-html", lhd, missing},
         "Cannot read the bookmark file: '" + missing + "' does not exist",
         missing},
        // The database could not be saved: the counts of what was read are not printed.
        {{"import-html", notFolder, test::dataFile("bookmarks/chrome.html")},
         "'" + notFolder + "' could not be saved: '" + notFolder + "' does not exist",
         notFolder},
        {{"import-favorites", lhd, dir.file("nope")},
         "Cannot read the Favorites folder: '" + dir.file("nope") + "' does not exist",
         dir.file("nope")},
        {{"export-html", lhd, dir.file("nope/out.html")},
         "Cannot write the bookmark file: '",
         dir.file("nope/out.html")},
    };
    for (const auto& [args, message, path] : cases) {
        const Outcome r = runCli(args);
        EXPECT_EQ(r.code, kExitFailed) << args[2];
        EXPECT_TRUE(r.out.starts_with("{\"error\":\"" + message)) << r.out;
        EXPECT_TRUE(r.out.ends_with("\",\"path\":\"" + path + "\"}\n")) << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
        EXPECT_EQ(r.err.rfind("linkhaven-cli: ", 0), 0u) << r.err;
    }
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"file", "page.html"}));
}

}  // namespace
}  // namespace lh::cli

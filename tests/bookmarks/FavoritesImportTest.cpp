#include "bookmarks/FavoritesImport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/BookmarkTrees.h"
#include "support/TempDir.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

class FavoritesImportTest : public test::ImportFixture {
protected:
    void file(const std::string& relative, const std::string& bytes) {
        test::writeBytes(dir.file(relative), bytes);
    }
    static std::string shortcut(const std::string& address) {
        return "[InternetShortcut]\r\nURL=" + address + "\r\n";
    }
};

TEST_F(FavoritesImportTest, ImportsTheTreeSortedByName) {
    for (const char* folder : {"Links", "News/Local", "Empty", "Zeta"}) {
        std::filesystem::create_directories(dir.file(folder));
    }
    file("Links/Search.url", shortcut("https://search.example/"));
    file("Links/Mail.URL", "[InternetShortcut]\nURL=https://mail.example/");  // no line break
    file("Links/notes.txt", "[InternetShortcut]\nURL=https://ignored.example/\n");
    file("News/Local/City.Url", shortcut("https://city.example/"));
    file("News/Daily.url", shortcut("https://daily.example/"));
    file("Zeta/Deep.url", shortcut("https://deep.example/"));
    file("A.B.url", "[InternetShortcut]\nIDList=\nURL=https://dots.example/\n");
    ASSERT_EQ(::symlink(dir.path().c_str(), dir.file("Zeta/loop").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("News/Daily.url").c_str(), dir.file("Zeta/Linked.url").c_str()),
              0);
    ASSERT_EQ(::mkfifo(dir.file("Zeta/Pipe.url").c_str(), 0644), 0);

    const ImportResult r = importFavoritesFolder(db, dir.path(), store::kFavoritesId, options);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(test::counts(r), "5 6 1 0");  // Zeta/Linked.url points at News/Daily.url
    EXPECT_EQ(test::linksUnder(db),
              (Lines{"|A.B|https://dots.example/", "Links|Mail|https://mail.example/",
                     "Links|Search|https://search.example/", "News|Daily|https://daily.example/",
                     "News/Local|City|https://city.example/", "Zeta|Deep|https://deep.example/"}));
    EXPECT_NE(test::childNamed(db, 1, "Empty"), nullptr);  // an empty sub-folder is no stop
}

TEST_F(FavoritesImportTest, ReportsAFolderThatCannotBeReadAndSingleFiles) {
    const ImportResult r = importFavoritesFolder(db, dir.file("missing"), 1, options);
    EXPECT_EQ(r.error,
              "Cannot read the Favorites folder: '" + dir.file("missing") + "' does not exist");
    file("One.url", shortcut("https://one.example/"));
    ImportResult one = importShortcutFile(db, dir.file("One.url"), 1, options);
    EXPECT_EQ(one.itemsAdded, 1u);
    EXPECT_EQ(test::linksUnder(db), (Lines{"|One|https://one.example/"}));
    one = importShortcutFile(db, dir.file("Two.url"), 1, options);
    EXPECT_NE(one.error, "");
}

TEST_F(FavoritesImportTest, SkipsAndCountsAddressesNoLinkMayKeepInsteadOfCuttingThem) {
    // Too long.url holds 2111 characters, Fits.url exactly 2000, Dash.url "-x".
    const ImportResult r =
        importFavoritesFolder(db, test::dataFile("bookmarks/favorites"), 1, options);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(test::counts(r), "1 1 0 1 long:1");
    const Lines links = test::linksUnder(db);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0], "Long|Fits|https://fits.example/" + std::string(1979, 'd'));
}

TEST_F(FavoritesImportTest, CancelKeepsWhatWasImported) {
    for (int i = 0; i < 200; ++i) {
        file(std::to_string(1000 + i).insert(0, 1, 'L') + ".url",
             shortcut("https://l.example/" + std::to_string(i)));
    }
    options.progress = [](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, 0u);
        return done < 128;
    };
    const ImportResult r = importFavoritesFolder(db, dir.path(), 1, options);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.itemsAdded, 127u);
    EXPECT_EQ(test::linksUnder(db).back(), "|L1126|https://l.example/126");
}

}  // namespace
}  // namespace lh::bookmarks

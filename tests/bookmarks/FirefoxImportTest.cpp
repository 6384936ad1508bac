#include "bookmarks/FirefoxImport.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/BookmarkTrees.h"
#include "support/TempDir.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

// A places database as Firefox keeps it (only the columns read), written in WAL mode with the
// latest bookmarks left in the log while the writer keeps it open and locked.
class PlacesFile {
public:
    explicit PlacesFile(const std::string& path) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &m_db), SQLITE_OK);
        run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
            "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title TEXT);"
            "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER,"
            " parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT);"
            "INSERT INTO moz_bookmarks VALUES (1,2,NULL,0,0,'','root________'),"
            " (2,2,NULL,1,0,'menu','menu________'), (3,2,NULL,1,1,'toolbar','toolbar_____'),"
            " (4,2,NULL,1,2,'tags','tags________'), (5,2,NULL,1,3,'unfiled','unfiled_____'),"
            " (6,2,NULL,1,4,'mobile','mobile______');"
            "INSERT INTO moz_places VALUES (1,'https://menu.example/','p1'),"
            " (2,'https://help.example/','p2'), (3,'https://toolbar.example/','p3'),"
            " (4,'https://work.example/?a=1&b=2','p4'), (5,'https://unfiled.example/','p5'),"
            " (6,'place:sort=8&maxResults=10','p6');"
            // Positions out of id order; a separator; a tag that points at a place.
            "INSERT INTO moz_bookmarks VALUES (10,1,1,2,2,'Menu link','aaaaaaaaaaa_'),"
            " (11,2,NULL,2,0,'Mozilla Firefox','bbbbbbbbbbbb'),"
            " (12,1,2,11,0,'Get Help','cccccccccccc'), (13,3,NULL,2,1,NULL,'dddddddddddd'),"
            " (14,1,3,3,0,'Toolbar link','eeeeeeeeeeee'), (15,2,NULL,4,0,'atag','ffffffffffff'),"
            " (16,1,1,15,0,NULL,'gggggggggggg'), (17,1,6,2,3,'Most Visited','hhhhhhhhhhhh'),"
            " (18,1,5,2,4,NULL,'iiiiiiiiiiii');"
            "PRAGMA wal_checkpoint(TRUNCATE);");
        // After the checkpoint: only in the log.
        run("INSERT INTO moz_bookmarks VALUES (19,2,NULL,3,1,'Work','jjjjjjjjjjjj'),"
            " (20,1,4,19,0,'Tracker & Board','kkkkkkkkkkkk'),"
            " (21,1,5,5,0,'Unfiled link','llllllllllll');"
            "PRAGMA locking_mode=EXCLUSIVE; BEGIN IMMEDIATE; COMMIT;");
    }
    ~PlacesFile() { sqlite3_close(m_db); }
    void run(const char* sql) {
        EXPECT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }

private:
    sqlite3* m_db = nullptr;
};

using FirefoxImportTest = test::ImportFixture;

TEST_F(FirefoxImportTest, ReadsPlacesAndItsLogInTheOrderOfTheMenus) {
    PlacesFile places(dir.file("places.sqlite"));
    const Lines filesBefore = test::listFolder(dir.path());
    const ImportResult r = importFirefoxProfile(db, dir.path(), options);
    EXPECT_EQ(test::counts(r), "4 6 0 1");
    EXPECT_EQ(test::linksUnder(db),
              (Lines{"|Menu link|https://menu.example/", "|Most Visited|place:sort=8&maxResults=10",
                     "Mozilla Firefox|Get Help|https://help.example/",
                     "Bookmarks Toolbar|Toolbar link|https://toolbar.example/",
                     "Bookmarks Toolbar/Work|Tracker & Board|https://work.example/?a=1&b=2",
                     "Other Bookmarks|Unfiled link|https://unfiled.example/"}));
    EXPECT_EQ(test::childNamed(db, 1, "Mobile Bookmarks"), nullptr);  // empty, left out
    EXPECT_EQ(test::childNamed(db, 1, "atag"), nullptr);

    // Nothing was written to the profile, and the last three bookmarks came from the log.
    EXPECT_EQ(test::listFolder(dir.path()), filesBefore);
    test::TempDir withoutLog;
    test::writeBytes(withoutLog.file("places.sqlite"), test::readBytes(dir.file("places.sqlite")));
    store::Database older;
    older.createDefault();
    EXPECT_EQ(importFirefoxProfile(older, withoutLog.path(), options).itemsAdded, 4u);
}

TEST_F(FirefoxImportTest, PrefersBookmarksHtmlAndRefusesWhatIsNoPlacesDatabase) {
    ImportResult r = importFirefoxProfile(db, dir.path());
    EXPECT_EQ(r.error, "No Firefox bookmarks (bookmarks.html or places.sqlite) were found in \"" +
                           dir.path() + "\".");
    test::writeBytes(dir.file("places.sqlite"), "SQLite format 3 but not really");
    r = importFirefoxProfile(db, dir.path());
    const std::string notPlaces =
        "\"" + dir.file("places.sqlite") + "\" is not a Firefox bookmarks database";
    EXPECT_EQ(r.error.substr(0, notPlaces.size()), notPlaces);
    test::writeBytes(dir.file("bookmarks.html"),
                     "<!DOCTYPE NETSCAPE-Bookmark-file-1><A HREF=\"https://a/\">A</A>");
    EXPECT_EQ(summaryText(importFirefoxProfile(db, dir.path())),
              "Imported 1 links into 0 new categories; 0 duplicates skipped.");
    EXPECT_EQ(importFirefox(db, {dir.path(), ""}).error, "No Firefox profile was found.");
}

}  // namespace
}  // namespace lh::bookmarks

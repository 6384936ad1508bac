#include "bookmarks/BookmarkExport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "bookmarks/BookmarkImport.h"
#include "support/BookmarkTrees.h"
#include "support/DatabaseMirror.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

void addUrl(store::Database& db, std::uint16_t category, const std::string& title,
            const std::string& address) {
    store::ItemFields item = test::link(title, address, store::kKindUrl);
    item.createTime = {2024, 2, 29, 13, 45, 10, 0};
    db.addItem(category, item);
}

store::CategoryId addCategory(store::Database& db, const std::string& name,
                              store::CategoryId parent) {
    return db.addCategory(parent, {name, {}, {}, {}})->id();
}

using BookmarkExportTest = test::ImportFixture;

TEST_F(BookmarkExportTest, WritesTheStandardFormatWithTextsEscaped) {
    addUrl(db, 4, "Tom & \"Jerry\" <'s>", "https://x.example/?a=1&b=<2>");
    db.addItem(4, test::link("notes.txt", "/home/u/notes.txt", store::kKindFile));  // no bookmark
    const std::uint16_t sub = addCategory(db, "R&D <lab>", 4);
    addUrl(db, sub, "Lab", "https://lab.example/");
    std::tm tm{};
    tm.tm_year = 124, tm.tm_mon = 1, tm.tm_mday = 29, tm.tm_hour = 13, tm.tm_min = 45;
    tm.tm_sec = 10, tm.tm_isdst = -1;
    const std::string added = std::to_string(static_cast<long long>(std::mktime(&tm)));

    ExportResult counts;
    const std::string text = bookmarkFileText(db, 4, counts);  // "Joke", written as a folder
    EXPECT_EQ(text,
              "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
              "<!-- This is an automatically generated file.\n"
              "     It will be read and overwritten.\n"
              "     DO NOT EDIT! -->\n"
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
              "<TITLE>Bookmarks</TITLE>\n"
              "<H1>Bookmarks</H1>\n"
              "<DL><p>\n"
              "    <DT><H3>Joke</H3>\n"
              "    <DL><p>\n"
              "        <DT><A HREF=\"https://x.example/?a=1&amp;b=&lt;2&gt;\" ADD_DATE=\"" +
                  added +
                  "\">Tom &amp; &quot;Jerry&quot; &lt;&#39;s&gt;</A>\n"
                  "        <DT><H3>R&amp;D &lt;lab&gt;</H3>\n"
                  "        <DL><p>\n"
                  "            <DT><A HREF=\"https://lab.example/\" ADD_DATE=\"" +
                  added +
                  "\">Lab</A>\n"
                  "        </DL><p>\n"
                  "    </DL><p>\n"
                  "</DL><p>\n");
    EXPECT_EQ(counts.categories, 2u);
    EXPECT_EQ(counts.links, 2u);
}

// Without a scope the favourites' contents are written, not wrapped in a folder of their own.
TEST_F(BookmarkExportTest, ImportingTheExportGivesTheSameTree) {
    for (const char* name : {"firefox.html", "chrome.html", "safari.html", "ie6-cp1252.html",
                             "netscape4.html", "lowercase.html"}) {
        ASSERT_EQ(
            importBookmarkFile(db, test::dataFile(std::string("bookmarks/") + name), options).error,
            "");
    }
    addUrl(db, 4, "&amp; &#39; \xF0\x9F\x98\x80 \"<q>\"", "https://odd.example/a\"b'c<d>&amp;");
    store::CategoryId deep = addCategory(db, "A&B", 1);
    for (int i = 0; i < 50; ++i) {
        deep = addCategory(db, "level " + std::to_string(i), deep);
    }
    addUrl(db, deep, "Deep", "https://deep.example/");

    const ExportResult written = exportBookmarkFile(db, dir.file("out.html"));
    ASSERT_EQ(written.error, "");
    EXPECT_EQ(written.links, test::linksUnder(db).size());

    store::Database again;
    again.createDefault();
    const ImportResult read = importBookmarkFile(again, dir.file("out.html"), options);
    EXPECT_EQ(read.duplicatesSkipped, 0u);
    EXPECT_EQ(test::linksUnder(again), test::linksUnder(db));
    EXPECT_EQ(again.categoryCount(), db.categoryCount());
}

TEST_F(BookmarkExportTest, KeepsTheOldFileWhenWritingFails) {
    addUrl(db, 1, "A", "https://a.example/");
    test::writeBytes(dir.file("out.html"), "old");
    test::FaultyFileSystem fs(2, ENOSPC);
    const ExportResult r = exportBookmarkFile(db, dir.file("out.html"), 1, fs);
    EXPECT_NE(r.error.find("No space left on device"), std::string::npos) << r.error;
    EXPECT_EQ(test::readBytes(dir.file("out.html")), "old");
    EXPECT_EQ(test::listFolder(dir.path()), (Lines{"out.html"}));
}

// A big export goes out in pieces with progress reports; the file is the text, byte for byte,
// and an export stopped half way leaves the old file and nothing beside it.
TEST_F(BookmarkExportTest, WritesBigTreesInPiecesAndLeavesNothingWhenStopped) {
    store::CategoryId deep = store::kFavoritesId;
    for (int level = 0; level < 30; ++level) {
        deep = addCategory(db, "level " + std::to_string(level), deep);
        for (int i = 0; i < 600; ++i) {  // 18,000 links: several pieces of text
            addUrl(db, deep, "Link " + std::to_string(i),
                   "https://site.example/" + std::to_string(level) + "/" + std::to_string(i));
        }
    }
    db.addItem(deep, test::link("notes.txt", "/home/u/notes.txt", store::kKindFile));
    ExportResult counted;
    const std::string text = bookmarkFileText(db, store::kFavoritesId, counted);
    ASSERT_GT(text.size(), std::size_t(2) << 20);

    std::vector<std::size_t> reports;
    std::size_t reportedTotal = 0;
    const ExportProgress record = [&](std::size_t done, std::size_t total) {
        reports.push_back(done);
        reportedTotal = total;
        return true;
    };
    int finished = 0;
    const auto finish = [&](const std::function<void()>& step) {
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.html")));  // put in place by the step
        step();
        ++finished;
    };
    const ExportResult written = exportBookmarkFile(db, dir.file("out.html"), store::kFavoritesId,
                                                    platform::realFileSystem(), {record, finish});
    ASSERT_EQ(written.error, "");
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(test::readBytes(dir.file("out.html")), text);
    EXPECT_EQ(written.links, counted.links);
    EXPECT_EQ(written.categories, counted.categories);
    EXPECT_EQ(reports, (std::vector<std::size_t>{4096, 8192, 12288, 16384}));
    EXPECT_EQ(reportedTotal, db.itemCount());

    test::writeBytes(dir.file("out.html"), "old");
    int calls = 0;
    const ExportResult stopped = exportBookmarkFile(
        db, dir.file("out.html"), store::kFavoritesId, platform::realFileSystem(),
        {[&](std::size_t, std::size_t) { return ++calls < 2; }, finish});
    EXPECT_EQ(finished, 1);  // nothing to put in place
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.error, "");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(test::readBytes(dir.file("out.html")), "old");
    EXPECT_EQ(test::listFolder(dir.path()), (Lines{"out.html"}));
}

}  // namespace
}  // namespace lh::bookmarks

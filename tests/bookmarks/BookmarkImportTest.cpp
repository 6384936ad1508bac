#include "bookmarks/BookmarkImport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "bookmarks/TextDecoder.h"
#include "store/Database.h"
#include "support/BookmarkTrees.h"
#include "support/TempDir.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

const std::string kHeader = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";

// The tags, attributes and references are the scanner's (BookmarkScannerTest) and the filing
// rules ImportTarget's; these are the files browsers write, read into categories and items
// (lowercase.html holds nothing but those rules: it is read in BookmarkExportTest).
class BookmarkImportTest : public test::ImportFixture {
protected:
    // What importing the sample file `name` into a new default database adds: its counts, then
    // its links.
    Lines importSample(const std::string& name) {
        db.createDefault();
        const ImportResult r = importBookmarkFile(db, test::dataFile("bookmarks/" + name), options);
        EXPECT_TRUE(r.bookmarkFile && r.error.empty() && !r.cancelled) << name;
        Lines shown = test::linksUnder(db);
        shown.insert(shown.begin(), test::counts(r));
        return shown;
    }
};

TEST_F(BookmarkImportTest, ReadsTheExportsOfEachBrowser) {
    // Each file, with what it adds: "categories items duplicates empty", then the links.
    const std::pair<const char*, Lines> samples[] = {
        {"chrome.html",
         {"4 6 0 0", "|Other one|https://other.example/one",
          "Bookmarks bar|The Chromium Projects|https://www.chromium.org/",
          "Bookmarks bar|Bookmarklet|javascript:void(alert(\"hi\"))",
          "Bookmarks bar/News|News & Views|https://news.example/list?a=1&b=2",
          "Bookmarks bar/News/Local|City \xE2\x86\x92 Today|https://city.example/",
          "Recipes|Pasta|https://food.example/pasta"}},
        // The empty "Bookmarks Menu" still becomes a category.
        {"safari.html",
         {"4 4 0 0", "Favorites|Apple|https://www.apple.com/",
          "Favorites|Documentation|https://developer.apple.com/documentation/",
          "Travel|Maps|https://maps.example/?ll=1,2&z=3",
          "Reading List|A long read|https://longread.example/article"}},
        // In the Windows code page.
        {"ie6-cp1252.html",
         {"2 4 0 0", "|MSN.com|http://www.example.net/",
          "Links|Customize Links|http://www.example.com/redir.dll?prd=ie&pver=6&ar=CLinks",
          "Links|Windows|http://www.example.com/windows/",
          "Caf\xC3\xA9 & Cr\xC3\xAApes|\xE2\x80\x9CMenu\xE2\x80\x9D \xE2\x80\x93 \xC2\xA3 5|"
          "http://www.example.fr/menu"}},
        // The alias of "Search" has the same address.
        {"netscape4.html",
         {"2 3 1 0", "Personal Toolbar Folder|Home|http://home.example.com/",
          "Personal Toolbar Folder|Search|http://search.example.com/",
          "News|Daily News|http://news.example.com/"}},
        // The upper-case copy of the first address is skipped.
        {"firefox.html",
         {"4 8 1 0", "|Start & Welcome|https://www.example.org/start?lang=en&page=1",
          "|Quotes \"inside\" and 'apostrophes'|https://news.example.com/?q=%22x%22",
          "|Last in the menu|https://last.example.com/",
          "Mozilla Firefox|Get Help|https://support.mozilla.org/products/firefox",
          "Mozilla Firefox|About Us|https://www.mozilla.org/about/",
          "Bookmarks Toolbar|Getting Started|https://www.mozilla.org/firefox/central/",
          "Bookmarks Toolbar/Work|Board <7>|https://tracker.example.com/board/7",
          "Other Bookmarks|Caf\xC3\xA9 \xE2\x80\x94 Wiki|https://wiki.example.net/Caf%C3%A9"}},
    };
    for (const auto& [file, expected] : samples) {
        EXPECT_EQ(importSample(file), expected) << file;
    }
}

TEST_F(BookmarkImportTest, KeepsLinksExactOrCountsWhatItSkipped) {
    const std::string longAddress = "https://long.example/" + std::string(2079, 'a');
    const std::string exactAddress = "https://exact.example/" + std::string(1978, 'b');
    // Each file, with its counts ("categories items duplicates skipped long:N") and links.
    const std::pair<const char*, Lines> samples[] = {
        {"quoted-angle.html",
         {"1 4 0 0", "Bookmarks bar|Greater in the address|https://search.example/?a>b",
          "Bookmarks bar|Greater in a title attribute|https://shop.example/item",
          "Bookmarks bar|Angle brackets inside the quotes|"
          "https://chrome.example/find?q=1&x=<y>&z=2",
          "Bookmarks bar|After them all|https://last.example/"}},
        // Unquoted and single-quoted HREFs, no title, no address, a leading "-": 5 skipped.
        {"unquoted.html", {"1 1 0 5", "Old links|Kept|http://kept.example/"}},
        {"long-address.html", {"1 1 0 0 long:1", "Long|Just fits|" + exactAddress}},
        {"shift-jis.html",
         {"1 2 0 0",
          "\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB9|"
          "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x8B\xE3\x83\xA5"
          "\xE3\x83\xBC\xE3\x82\xB9 \xE2\x80\x95 \xE8\xA1\xA8\xE7\xA4\xBA|"
          "https://news.example.jp/",
          "\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB9|"
          "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE3\x82\xA6\xE3\x82\xA7\xE3\x82\xA2|"
          "https://ja.example.jp/wiki/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88"}},
        {"utf16be.html",
         {"1 1 0 0",
          "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC|"
          "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 "
          "\xF0\x9F\x98\x80|https://el.example/"}},
    };
    for (const auto& [file, expected] : samples) {
        EXPECT_EQ(importSample(file), expected) << file;
    }
}

TEST_F(BookmarkImportTest, HonoursADeclaredCharsetAndFallsBackToWindows1252) {
    // "Привет" in KOI8-R, "한국" in EUC-KR, "é" in Windows-1252.
    const std::string koi8 = "\xF0\xD2\xC9\xD7\xC5\xD4", euckr = "\xC7\xD1\xB1\xB9";
    const std::string body = "<A HREF=\"https://a/\">";
    const std::pair<std::string, std::string> files[] = {
        {"<META charset=\"KOI8-R\">" + body + koi8,
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
        {"<meta http-equiv=\"content-type\" content=\"text/html; CHARSET = euc-kr\">" + body +
             euckr,
         "\xED\x95\x9C\xEA\xB5\xAD"},
        // Unknown, bogus or huge names, and a charset outside a META tag: Windows-1252.
        {"<META charset=\"../../../etc/passwd\">" + body + "Caf\xE9", "Caf\xC3\xA9"},
        {"<META charset=" + std::string(100'000, 'K') + ">" + body + "Caf\xE9", "Caf\xC3\xA9"},
        {"<TITLE>charset=KOI8-R</TITLE>" + body + "Caf\xE9", "Caf\xC3\xA9"},
        // Declared UTF-8 with a stray byte: UTF-8 with U+FFFD.
        {"<META charset=utf-8>" + body + "Caf\xC3\xA9\xA0", "Caf\xC3\xA9\xEF\xBF\xBD"},
    };
    for (const auto& [text, title] : files) {
        db.createDefault();
        EXPECT_EQ(importBookmarkBytes(db, kHeader + text + "</A>", options).error, "");
        EXPECT_EQ(test::linksUnder(db), (Lines{"|" + title + "|https://a/"})) << text.substr(0, 60);
    }
}

TEST_F(BookmarkImportTest, ConvertsUtf16AndUtf8WithMarkAndTellsStrayBytesAsWindows1252) {
    // UTF-16 little-endian with a mark, a zero character between the tags and a character
    // outside the basic plane; everything after the zero is read too.
    using namespace std::string_literals;
    const std::u16string text16 =
        u"<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><H3>\u65E5\u672C</H3><DL>"
        u"<DT><A HREF=\"https://jp.example/\">\u8A9E \U0001F600</A>\0"
        u"</DL><DT><A HREF=\"https://after-zero.example/\">After</A></DL>"s;
    std::string utf16 = "\xFF\xFE";
    for (const char16_t u : text16) {
        utf16 += static_cast<char>(u & 0xFF);
        utf16 += static_cast<char>(u >> 8);
    }
    const std::pair<std::string, Lines> files[] = {
        {utf16,
         {"|After|https://after-zero.example/",
          "\xE6\x97\xA5\xE6\x9C\xAC|\xE8\xAA\x9E \xF0\x9F\x98\x80|https://jp.example/"}},
        {"\xEF\xBB\xBF" + kHeader + "<A HREF=\"https://bom.example/\">Caf\xC3\xA9</A>",
         {"|Caf\xC3\xA9|https://bom.example/"}},
        // One byte that is not UTF-8 makes the whole file Windows-1252, as it was written.
        {kHeader + "<A HREF=\"https://stray.example/\">Caf\xC3\xA9\xA0!</A>",
         {"|Caf\xC3\x83\xC2\xA9\xC2\xA0!|https://stray.example/"}},
    };
    for (const auto& [bytes, links] : files) {
        db.createDefault();
        EXPECT_EQ(importBookmarkBytes(db, bytes, options).error, "");
        EXPECT_EQ(test::linksUnder(db), links);
    }
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBF\xFF").encoding, TextEncoding::Utf8WithErrors);
    // A lone surrogate and an odd last byte become U+FFFD; a pair across the chunk end is whole.
    std::string out;
    const std::string units("\x3D\xD8\x41\x00\x3D\xD8\x00\xDE\x42", 9);  // D83D, A, a pair, 1 byte
    EXPECT_EQ(decodeChunk(TextEncoding::Utf16Le, units, 0, 5, out), 8u);
    EXPECT_EQ(out, "\xEF\xBF\xBD\x41\xF0\x9F\x98\x80");
    EXPECT_EQ(decodeChunk(TextEncoding::Utf16Le, units, 8, 5, out), 9u);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}

TEST_F(BookmarkImportTest, RefusesWhatItCannotReadWithAClearMessage) {
    const std::string page = dir.file("page.html"), empty = dir.file("empty.html");
    const std::string missing = dir.file("missing.html"), big = dir.file("big.html");
    test::writeBytes(page, "<html><body><DL><DT><A HREF=\"https://a/\">A</A></DL></html>");
    test::writeBytes(empty, "");
    // More than 1 GiB (a sparse file) is refused before anything is read.
    test::writeBytes(big, kHeader + "<A HREF=\"https://a/\">A</A>");
    ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxBookmarkFileSize + 1)), 0);
    const std::tuple<std::string, bool, std::string> refused[] = {
        {page, false, "\"" + page + "\" is not a bookmark file."},
        {empty, false, "\"" + empty + "\" is empty; it is not a bookmark file."},
        {missing, true, "Cannot read the bookmark file: '" + missing + "' does not exist"},
        {dir.path(), true,
         "Cannot read the bookmark file: '" + dir.path() + "' is a folder, not a file"},
        {big, true, "\"" + big + "\" is larger than 1 GiB; it was not imported."},
    };
    for (const auto& [path, bookmarkFile, error] : refused) {
        const ImportResult r = importBookmarkFile(db, path, options);
        EXPECT_EQ(r.bookmarkFile, bookmarkFile) << path;
        EXPECT_EQ(summaryText(r), error);
    }
    EXPECT_EQ(db.itemCount(), 0u);
}

TEST_F(BookmarkImportTest, WritesNothingBesideTheFileAndReadsFromReadOnlyFolders) {
    const std::string path = dir.file("exported");  // no "." in the name
    test::writeBytes(path, test::readBytes(test::dataFile("bookmarks/safari.html")));
    test::writeBytes(dir.file("exported.tmp"), "mine");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const ImportResult r = importBookmarkFile(db, path, options);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(r.itemsAdded, 4u);
    EXPECT_EQ(test::listFolder(dir.path()), (Lines{"exported", "exported.tmp"}));
    EXPECT_EQ(test::readBytes(dir.file("exported.tmp")), "mine");
}

TEST_F(BookmarkImportTest, KeepsWhatWasImportedWhenCancelled) {
    std::string text = kHeader + "<DL><DT><H3>Many</H3><DL>\n";
    for (int i = 0; i < 6000; ++i) {
        text += "<DT><A HREF=\"https://many.example/" + std::to_string(i) + "\">Link " +
                std::to_string(i) + "</A>\n";
    }
    int calls = 0;
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_LE(done, total);
        return ++calls < 2;  // cancel at the second report
    };
    const ImportResult r = importBookmarkBytes(db, text, options);
    const std::string last = std::to_string(r.itemsAdded - 1);
    EXPECT_TRUE(r.cancelled);
    EXPECT_GT(r.itemsAdded, 1000u);
    EXPECT_LT(r.itemsAdded, 6000u);
    EXPECT_EQ(test::linksUnder(db).size(), r.itemsAdded);
    EXPECT_EQ(test::linksUnder(db).back(), "Many|Link " + last + "|https://many.example/" + last);
    EXPECT_EQ(summaryText(r).rfind("Import cancelled. Imported ", 0), 0u);
}

TEST_F(BookmarkImportTest, SurvivesTenThousandNestedFolders) {
    std::string text = kHeader;
    for (int i = 0; i < 10000; ++i) {
        text += "<DT><H3>d</H3><DL><p>";
    }
    text += "<DT><A HREF=\"https://deep.example/\">Deep</A>";  // and the lists never close
    EXPECT_EQ(summaryText(importBookmarkBytes(db, text, options)),
              "Imported 1 links into 10000 new categories; 0 duplicates skipped.");
    const auto* deepest = db.findCategory(static_cast<store::CategoryId>(db.nextCategoryId() - 1));
    EXPECT_EQ(deepest->depth(), 10001);
    EXPECT_EQ(deepest->firstItem()->title(), "Deep");
}

}  // namespace
}  // namespace lh::bookmarks

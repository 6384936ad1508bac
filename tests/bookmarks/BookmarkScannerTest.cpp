#include "bookmarks/BookmarkScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lh::bookmarks {
namespace {

// Records what the scanner reports as "F:name", "L:title|address" and "E".
class Recorder final : public BookmarkSink {
public:
    std::vector<std::string> events;
    std::size_t stopAfter = SIZE_MAX;

    bool folder(std::string_view name) override { return add("F:" + std::string(name)); }
    bool link(std::string_view title, std::string_view address) override {
        return add("L:" + std::string(title) + "|" + std::string(address));
    }
    bool listEnd() override { return add("E"); }

private:
    bool add(std::string e) {
        events.push_back(std::move(e));
        return events.size() < stopAfter;
    }
};

const std::string kHeader = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";

std::vector<std::string> scan(const std::string& text, bool* isBookmark = nullptr) {
    Recorder r;
    BookmarkScanner s(r);
    s.feed(text);
    s.finish();
    if (isBookmark != nullptr) {
        *isBookmark = s.isBookmarkFile();
    }
    return r.events;
}

TEST(BookmarkScannerTest, ReadsFoldersLinksAndListEndsInOrder) {
    const std::string text = kHeader +
                             "<DL><p>\n"
                             "<DT><H3 ADD_DATE=\"1\">News</H3>\n"
                             "<DL><p>\n"
                             "  <DT><A HREF=\"https://a.example/\" ADD_DATE=\"2\">A</A>\n"
                             "</DL><p>\n"
                             "<DT><a href=\"https://b.example/\">B</a>\n"
                             "<dt><h3>Plain</h3><dl><p></dl>\n"
                             "</DL>";
    EXPECT_EQ(scan(text),
              (std::vector<std::string>{"F:News", "L:A|https://a.example/", "E",
                                        "L:B|https://b.example/", "F:Plain", "E", "E"}));
}

TEST(BookmarkScannerTest, RefusesTextWhoseFirstTagIsNoHeader) {
    bool isBookmark = true;
    EXPECT_TRUE(scan("<html><DL><DT><A HREF=\"https://a/\">A</A>", &isBookmark).empty());
    EXPECT_FALSE(isBookmark);
    EXPECT_TRUE(scan("no tags at all", &isBookmark).empty());
    EXPECT_FALSE(isBookmark);
    EXPECT_TRUE(scan("<!DOCTYPE NETSCAPE-Bookmark-file-1", &isBookmark).empty());
    EXPECT_FALSE(isBookmark);  // the header never ended
    scan("  <!doctype netscape-bookmark-file-1>", &isBookmark);
    EXPECT_TRUE(isBookmark);
}

TEST(BookmarkScannerTest, TakesOnlyADoubleQuotedHrefAsTheAddress) {
    const auto links = scan(kHeader +
                            "<A ID=\"1\" HREF=\"https://x/a b\">spaced</A>"
                            "<A HREF=https://x/>unquoted</A>"
                            "<A HREF='https://x/'>single</A>"
                            "<A TITLE=\"HREF=\" NAME=\"n\">fake</A>"
                            "<A HREF = \"https://x/eq\"HREF=\"https://x/second\">first wins</A>"
                            "<A NAME=\"n\">no href</A>"
                            "<A HREF=\"https://x/>\">quote cut by the tag end</A>"
                            "<A HREF=\"https://x/?a=1&amp;b=2\">ok</A>");
    EXPECT_EQ(links,
              (std::vector<std::string>{"L:spaced|https://x/a b", "L:first wins|https://x/eq",
                                        "L:ok|https://x/?a=1&b=2"}));
}

TEST(BookmarkScannerTest, DecodesReferencesOnceBeforeTrimmingAndCutting) {
    const auto events =
        scan(kHeader +
             "<H3>&lt;Tools&gt; &amp; more</H3>"
             "<A HREF=\"https://x/?q=&amp;lt;\">&amp;lt; &quot;q&quot; &#39;s&apos;</A>"
             "<A HREF=\"https://y/\">&#0;&#xD800;&#1114112;&#65&#x42;C</A>"
             "<A HREF=\"https://z/AT&T\">AT&T &unknown; &#; &#x; &</A>"
             "<A HREF=\"&#32;https://w/&#10;\">&#32;&#32;W&#9;</A>"
             "<A HREF=\"https://v/\">&#x1F600;&#XE9;&AMP;</A>");
    EXPECT_EQ(events, (std::vector<std::string>{
                          "F:<Tools> & more", "L:&lt; \"q\" 's'|https://x/?q=&lt;",
                          "L:\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                          "ABC|https://y/",
                          "L:AT&T &unknown; &#; &#x; &|https://z/AT&T", "L:W|https://w/",
                          "L:\xF0\x9F\x98\x80\xC3\xA9&|https://v/"}));
}

TEST(BookmarkScannerTest, CutsTextsWithoutSplittingCharacters) {
    std::string longTitle;
    for (int i = 0; i < 400; ++i) {
        longTitle += "\xC3\xA9";  // 800 bytes of "é"
    }
    const std::string title699 = std::string(699, 't') + "\xC3\xA9";
    const std::string address = "https://x/" + std::string(2100, 'a');
    const std::string folder = std::string(150, 'f') + "\xE2\x82\xAC\xE2\x82\xAC";  // 156 + 6
    const auto events = scan(kHeader + "<H3>" + folder + "</H3><A HREF=\"" + address + "\">" +
                             longTitle + "</A><A HREF=\"https://y/\">" + title699 + "</A>");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "F:" + std::string(150, 'f') + "\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_EQ(events[1], "L:" + longTitle.substr(0, 700) + "|" + address.substr(0, 2000));
    EXPECT_EQ(events[2], "L:" + std::string(699, 't') + "|https://y/");
    const auto cut = scan(kHeader + "<H3>" + std::string(155, 'g') + "\xE2\x82\xAC</H3>");
    EXPECT_EQ(cut, (std::vector<std::string>{"F:" + std::string(155, 'g')}));
}

TEST(BookmarkScannerTest, GivesTheSameResultHoweverTheTextIsSplit) {
    const std::string text = kHeader +
                             "<DL><p><DT><H3 FOLDED>Caf\xC3\xA9 &amp; co</H3><DL><p>"
                             "<DT><A HREF=\"https://a/?x=1&amp;y=&#x32;\" ICON=\"data:x\">"
                             "  T&#233;st &lt;1&gt;  </A></DL><p>"
                             "<dt><a\thref=\"https://b/\">B</a></DL>";
    const auto whole = scan(text);
    ASSERT_EQ(whole.size(), 5u);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        Recorder r;
        BookmarkScanner s(r);
        s.feed(std::string_view(text).substr(0, cut));
        s.feed(std::string_view(text).substr(cut));
        s.finish();
        ASSERT_EQ(r.events, whole) << "split at " << cut;
    }
    Recorder bytewise;
    BookmarkScanner s(bytewise);
    for (const char c : text) {
        s.feed({&c, 1});
    }
    EXPECT_EQ(bytewise.events, whole);
}

TEST(BookmarkScannerTest, EndsCleanlyOnHostileText) {
    // A text that ends inside a title drops only that link.
    EXPECT_EQ(scan(kHeader + "<A HREF=\"https://a/\">A</A><A HREF=\"https://b/\">B cut"),
              (std::vector<std::string>{"L:A|https://a/"}));
    // A tag of ten megabytes that never ends.
    EXPECT_EQ(
        scan(kHeader + "<A HREF=\"https://a/\">A</A><A ICON=\"" + std::string(10'000'000, 'x')),
        (std::vector<std::string>{"L:A|https://a/"}));
    // NUL bytes between and inside texts.
    EXPECT_EQ(scan(kHeader + std::string("\0<A HREF=\"https://a/\0b\">\0A\0B</A>\0", 34)),
              (std::vector<std::string>{"L:AB|https://a/b"}));
    // A long tag (a favicon of 5 MB) does not end the scan.
    EXPECT_EQ(scan(kHeader + "<A HREF=\"https://a/\" ICON=\"data:image/png;base64," +
                   std::string(5'000'000, 'Q') + "\">A</A><A HREF=\"https://b/\">B</A>"),
              (std::vector<std::string>{"L:A|https://a/", "L:B|https://b/"}));
}

TEST(BookmarkScannerTest, StopsWhenTheSinkSaysSo) {
    Recorder r;
    r.stopAfter = 2;
    BookmarkScanner s(r);
    EXPECT_FALSE(s.feed(kHeader + "<H3>a</H3><H3>b</H3><H3>c</H3>"));
    EXPECT_EQ(r.events, (std::vector<std::string>{"F:a", "F:b"}));
}

}  // namespace
}  // namespace lh::bookmarks

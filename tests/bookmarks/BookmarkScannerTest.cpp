#include "bookmarks/BookmarkScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lh::bookmarks {
namespace {

using namespace std::string_literals;
using Events = std::vector<std::string>;

// Records what the scanner reports as "F:name", "L:title|address", "E", and "S:quote" or
// "S:long" for a skipped link.
class Recorder final : public BookmarkSink {
public:
    Events events;
    std::size_t stopAfter = SIZE_MAX;

    bool folder(std::string_view name) override { return add("F:" + std::string(name)); }
    bool link(std::string_view title, std::string_view address) override {
        return add("L:" + std::string(title) + "|" + std::string(address));
    }
    bool listEnd() override { return add("E"); }
    bool skipped(SkippedLink why) override {
        return add(why == SkippedLink::TooLong ? "S:long" : "S:quote");
    }

private:
    bool add(std::string e) {
        events.push_back(std::move(e));
        return events.size() < stopAfter;
    }
};

const std::string kHeader = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";

// What the scanner reports for `text` fed in two pieces, cut after `cut` bytes.
Events scan(const std::string& text, std::size_t cut = 0, bool* isBookmark = nullptr) {
    Recorder r;
    BookmarkScanner s(r);
    s.feed(std::string_view(text).substr(0, cut));
    s.feed(std::string_view(text).substr(cut));
    s.finish();
    if (isBookmark != nullptr) {
        *isBookmark = s.isBookmarkFile();
    }
    return r.events;
}

TEST(BookmarkScannerTest, ReportsFoldersLinksAndListEndsInOrder) {
    std::string longTitle;
    while (longTitle.size() < 800) {
        longTitle += "\xC3\xA9";  // 800 bytes of "é"
    }
    const std::string address = "https://x/" + std::string(2100, 'a');
    // Each text after the header, with what it reports.
    const std::pair<std::string, Events> cases[] = {
        {"<DL><p>\n<DT><H3 ADD_DATE=\"1\">News</H3>\n<DL><p>\n"
         "  <DT><A HREF=\"https://a.example/\" ADD_DATE=\"2\">A</A>\n</DL><p>\n"
         "<DT><a href=\"https://b.example/\">B</a>\n<dt><h3>Plain</h3><dl><p></dl>\n"
         "<dt><h3>  </h3><dl><p><dt><a href=\"https://c.example/\"></a></dl>\n</DL>",
         {"F:News", "L:A|https://a.example/", "E", "L:B|https://b.example/", "F:Plain", "E",
          "F:", "L:|https://c.example/", "E", "E"}},
        // Only a double-quoted HREF is an address, the first one; others are told as skipped.
        {"<A ID=\"1\" HREF=\"https://x/a b\"  >spaced</A><A HREF=https://x/>unquoted</A>"
         "<A HREF='https://x/'>single</A><A TITLE=\"HREF=\" NAME=\"n\">fake</A>"
         "<A HREF = \"https://x/eq\"HREF=\"https://x/second\">first wins</A>"
         "<A NAME=\"n\">no href</A><A HREF=x HREF=\"https://x/q\">quoted second</A>",
         {"L:spaced|https://x/a b", "S:quote", "S:quote", "L:first wins|https://x/eq",
          "L:quoted second|https://x/q"}},
        // A ">" inside a double-quoted value is text, in any tag; comments end at their ">".
        {"<!-- \"odd quote --><H3 NOTE=\"a > b\">Folder</H3>"
         "<A HREF=\"https://x/?a>b\">gt</A><A HREF=\"https://y/\" TITLE=\"x > y\">title</A>"
         "<A HREF=\"https://z/?q=1&x=<y>&w=2\" ICON=\"data:>\">angles</A>"
         "<A HREF=\"https://v/\" TAGS=\"a>b,c<d\">tags</A>",
         {"F:Folder", "L:gt|https://x/?a>b", "L:title|https://y/",
          "L:angles|https://z/?q=1&x=<y>&w=2", "L:tags|https://v/"}},
        // References are decoded once, before the trimming.
        {"<H3>&lt;Tools&gt; &amp; more</H3>"
         "<A HREF=\"https://x/?q=&amp;lt;\">&amp;lt; &quot;q&quot; &#39;s&apos;</A>"
         "<A HREF=\"https://y/\">&#0;&#xD800;&#1114112;&#65&#x42;C</A>"
         "<A HREF=\"https://z/AT&T\">AT&T &unknown; &#; &#x; &</A>"
         "<A HREF=\"&#32;https://w/&#10;\">&#32;&#32;W&#9;</A>"
         "<A HREF=\"https://v/\">&#x1F600;&#XE9;&AMP;</A>",
         {"F:<Tools> & more", "L:&lt; \"q\" 's'|https://x/?q=&lt;",
          "L:\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
          "ABC|https://y/",
          "L:AT&T &unknown; &#; &#x; &|https://z/AT&T", "L:W|https://w/",
          "L:\xF0\x9F\x98\x80\xC3\xA9&|https://v/"}},
        // Cuts at 156 and 700 bytes never split a character; an address is never cut: over
        // 2000 bytes (after decoding, before trailing blanks) its link is skipped.
        {"<H3>" + std::string(150, 'f') + "\xE2\x82\xAC\xE2\x82\xAC</H3><H3>" +
             std::string(155, 'g') + "\xE2\x82\xAC</H3><A HREF=\"https://y/\">" + longTitle +
             "</A><A HREF=\"https://y/\">" + std::string(699, 't') + "\xC3\xA9</A>",
         {"F:" + std::string(150, 'f') + "\xE2\x82\xAC\xE2\x82\xAC", "F:" + std::string(155, 'g'),
          "L:" + longTitle.substr(0, 700) + "|https://y/",
          "L:" + std::string(699, 't') + "|https://y/"}},
        {"<A HREF=\"" + address + "\">long</A><A HREF=\"" + address.substr(0, 2000) +
             "     \">fits</A><A HREF=\"" + address.substr(0, 1998) +
             "&amp;&amp;\">refs</A>"
             "<A HREF=\"" +
             address.substr(0, 2000) +
             "    x\">inner blanks</A>"
             "<A HREF=\"" +
             address.substr(0, 1999) + "\xC3\xA9\">split</A>",
         {"S:long", "L:fits|" + address.substr(0, 2000), "L:refs|" + address.substr(0, 1998) + "&&",
          "S:long", "S:long"}},
        // Hostile text: a title cut by the end, a tag of 10 MB that never ends, NUL bytes, a
        // favicon of 5 MB.
        {"<A HREF=\"https://a/\">A</A><A HREF=\"https://b/\">B cut", {"L:A|https://a/"}},
        {"<A HREF=\"https://a/\">A</A><A ICON=\"" + std::string(10'000'000, 'x'),
         {"L:A|https://a/"}},
        {"\0<A HREF=\"https://a/\0b\">\0A\0B</A>\0"s, {"L:AB|https://a/b"}},
        {"<A HREF=\"https://a/\" ICON=\"data:image/png;base64," + std::string(5'000'000, 'Q') +
             "\">A</A><A HREF=\"https://b/\">B</A>",
         {"L:A|https://a/", "L:B|https://b/"}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(scan(kHeader + text), expected) << text.substr(0, 80);
    }
}

TEST(BookmarkScannerTest, GivesTheSameResultHoweverTheTextIsSplit) {
    const std::string text = kHeader +
                             "<DL><p><DT><H3 FOLDED>Caf\xC3\xA9 &amp; co</H3><DL><p>"
                             "<DT><A HREF=\"https://a/?x=1&amp;y=&#x32;\" ICON=\"data:x\">"
                             "  T&#233;st &lt;1&gt;  </A></DL><p>"
                             "<dt><a\thref=\"https://b/\">B</a></DL>";
    const Events whole = scan(text);
    ASSERT_EQ(whole.size(), 5u);
    for (std::size_t cut = 1; cut <= text.size(); ++cut) {
        ASSERT_EQ(scan(text, cut), whole) << "split at " << cut;
    }
}

TEST(BookmarkScannerTest, StopsAtAFirstTagThatIsNoHeaderOrWhenTheSinkSaysSo) {
    for (const char* text : {"<html><DL><DT><A HREF=\"https://a/\">A</A>", "no tags at all",
                             "<!DOCTYPE NETSCAPE-Bookmark-file-1"}) {  // the last never ends
        bool isBookmark = true;
        EXPECT_TRUE(scan(text, 0, &isBookmark).empty()) << text;
        EXPECT_FALSE(isBookmark) << text;
    }
    bool isBookmark = false;
    scan("  <!doctype netscape-bookmark-file-1>", 0, &isBookmark);
    EXPECT_TRUE(isBookmark);
    Recorder r;
    r.stopAfter = 2;
    EXPECT_FALSE(BookmarkScanner(r).feed(kHeader + "<H3>a</H3><H3>b</H3><H3>c</H3>"));
    EXPECT_EQ(r.events, (Events{"F:a", "F:b"}));
}

}  // namespace
}  // namespace lh::bookmarks

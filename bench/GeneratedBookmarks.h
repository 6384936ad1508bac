#pragma once

// A generated browser bookmark file for the import benchmarks.

#include <algorithm>
#include <cctype>
#include <string>

namespace lh::bench {

inline std::string bookmarkAddress(std::size_t k) {
    return "https://site" + std::to_string(k % 997) + ".example.com/path/" + std::to_string(k) +
           "/page.html?ref=bench&amp;id=" + std::to_string(k);
}

inline std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// A Firefox-style export: 50 folders of 20 folders of `links / 1000` links each; every tenth
// link has a favicon.
inline std::string generateBookmarkFile(std::size_t links, std::size_t& duplicates) {
    const std::string icon =
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAAGklEQVQ4jWNgGAWjY"
        "BSMglEwCkbBKBgFIwMAAAX4AAGvZ0y9AAAAAElFTkSuQmCC";
    std::string text =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n\n<DL><p>\n";
    const std::size_t perFolder = std::max<std::size_t>(1, links / 1000);
    std::size_t k = 0;
    duplicates = 0;
    for (int top = 0; top < 50 && k < links; ++top) {
        text += "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000001\">Topic " +
                std::to_string(top) + "</H3>\n    <DL><p>\n";
        for (int sub = 0; sub < 20 && k < links; ++sub) {
            text += "        <DT><H3 ADD_DATE=\"1700000000\">Subject " + std::to_string(sub) +
                    "</H3>\n        <DL><p>\n";
            for (std::size_t i = 0; i < perFolder && k < links; ++i, ++k) {
                const bool duplicate = k % 100 == 99;
                duplicates += duplicate;
                text += "            <DT><A HREF=\"" +
                        (duplicate ? upper(bookmarkAddress(k - 50)) : bookmarkAddress(k)) +
                        "\" ADD_DATE=\"" + std::to_string(1700000000 + k) +
                        (k % 10 == 0 ? "\" ICON=\"" + icon : std::string()) + "\">Bookmark " +
                        std::to_string(k) + " \xE2\x80\x93 notes &amp; links on topic " +
                        std::to_string(top) + "</A>\n";
            }
            text += "        </DL><p>\n";
        }
        text += "    </DL><p>\n";
    }
    text += "</DL>\n";
    return text;
}

}  // namespace lh::bench

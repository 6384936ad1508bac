#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "bookmarks/BookmarkSink.h"
#include "bookmarks/TextCollector.h"
#include "items/StoredAddress.h"

namespace lh::bookmarks {

// Reads a Netscape bookmark file (the HTML that browsers export: DL lists, H3 folder headings,
// A links with an HREF) in one pass over its UTF-8 text, which may arrive in pieces of any size.
// It is not an HTML parser: it looks at tags and at the text right after a heading or a link.
//
// - The first tag must contain "NETSCAPE-Bookmark-file" (any letter case), as the DOCTYPE of
//   every export does; otherwise the text is not a bookmark file and nothing is reported.
// - Tag names ignore letter case and end at white space or ">"; a tag ends at the first ">"
//   outside a double-quoted value (a comment or declaration at its first ">") and may be of
//   any length; only the HREF of a link is kept.
// - <A ... HREF="..."> is a link: its title is the text up to the next "<" (which is then
//   passed over, as the start of "</A>"). An A tag whose HREF is not in double quotes is
//   reported as skipped; one without an HREF is no link.
// - <H3 ...> is a folder heading, its name read as a link's title. </DL> ends a list.
// - Texts are decoded (character references), trimmed and cut to 700 bytes (titles) or 156
//   (folder names) without splitting a character, in bounded memory. An address is never cut:
//   a link whose address is longer than the stored limit is reported as skipped.
// - A text that runs to the end of the data is dropped: its link or folder is not reported.
class BookmarkScanner {
public:
    static constexpr std::size_t kTitleLimit = 700;
    static constexpr std::size_t kAddressLimit = items::kAddressMaxBytes;
    static constexpr std::size_t kFolderNameLimit = 156;

    // `sink` receives what is found; not owned.
    explicit BookmarkScanner(BookmarkSink& sink) : m_sink(sink) {}

    // Scans the next piece of the text. False once the scan has ended: the text is not a
    // bookmark file, or the sink asked to stop.
    bool feed(std::string_view piece);
    // The text is complete.
    void finish();
    // True once the first tag was read and found to be the bookmark-file header.
    bool isBookmarkFile() const { return m_headerOk; }

private:
    enum class State {
        Outside,    // between tags
        HeaderTag,  // inside the first tag
        TagName,    // right after "<"
        SkipTag,    // the rest of a comment or declaration
        AttrGap,    // between the attributes of a link
        AttrName,
        AttrAfterName,  // blanks after an attribute's name
        AttrBeforeValue,
        AttrQuoted,
        AttrUnquoted,
        Text,  // the title of a link or the name of a folder
        Ended
    };
    enum class Tag { Other, Link, Folder, ListEnd };

    const char* scanHeader(const char* p, const char* end);
    const char* scanTagName(const char* p, const char* end);
    const char* scanAttributes(const char* p, const char* end);
    const char* scanQuoted(const char* p, const char* end);
    const char* scanText(const char* p, const char* end);
    void startTag();
    void endTagName();
    // The value about to be read is the link's address (its first HREF).
    bool isAddressAttribute() const;
    // The tag ended with ">".
    void endTag();
    void stop() { m_state = State::Ended; }

    BookmarkSink& m_sink;
    State m_state = State::Outside;
    bool m_headerOk = false;
    std::string m_header;  // the first tag, up to a bound
    Tag m_tag = Tag::Other;
    char m_name[4] = {};
    std::size_t m_nameLength = 0;
    char m_attr[5] = {};
    std::size_t m_attrLength = 0;
    bool m_capturing = false;  // the quoted value being read is the link's address
    bool m_hasAddress = false;
    bool m_addressTooLong = false;
    bool m_unquotedAddress = false;  // an HREF came without double quotes
    std::string m_address;
    TextCollector m_collector;
};

}  // namespace lh::bookmarks

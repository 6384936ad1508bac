#include "bookmarks/BookmarkScanner.h"

#include <cstring>

#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::bookmarks {

namespace {

// The first tag is kept up to this many bytes to look for the header in it.
constexpr std::size_t kHeaderLimit = 4096;
constexpr std::string_view kHeaderMark = "netscape-bookmark-file";

using text::isBlank;
using text::toLowerAscii;

const char* find(const char* p, const char* end, char c) {
    const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
    return hit == nullptr ? end : static_cast<const char*>(hit);
}

}  // namespace

bool BookmarkScanner::feed(std::string_view piece) {
    const char* p = piece.data();
    const char* const end = p + piece.size();
    while (p < end && m_state != State::Ended) {
        switch (m_state) {
            case State::Outside:
                p = find(p, end, '<');
                if (p < end) {
                    ++p;
                    startTag();
                }
                break;
            case State::HeaderTag:
                p = scanHeader(p, end);
                break;
            case State::TagName:
                p = scanTagName(p, end);
                break;
            case State::SkipTag:
                p = find(p, end, '>');
                if (p < end) {
                    ++p;
                    endTag();
                }
                break;
            case State::AttrQuoted:
                p = scanQuoted(p, end);
                break;
            case State::Text:
                p = scanText(p, end);
                break;
            default:
                p = scanAttributes(p, end);
                break;
        }
    }
    return m_state != State::Ended;
}

void BookmarkScanner::finish() {
    // A title or folder name cut off by the end of the data is not reported.
    m_state = State::Ended;
}

void BookmarkScanner::startTag() {
    if (!m_headerOk) {
        m_state = State::HeaderTag;
        m_header.clear();
        m_header.push_back('<');
        return;
    }
    m_state = State::TagName;
    m_nameLength = 0;
}

const char* BookmarkScanner::scanHeader(const char* p, const char* end) {
    const char* close = find(p, end, '>');
    const std::size_t room = kHeaderLimit - m_header.size();
    m_header.append(p, std::min(room, static_cast<std::size_t>(close - p)));
    if (close == end) {
        return end;
    }
    m_headerOk = text::findIgnoringAsciiCase(m_header, kHeaderMark) != std::string_view::npos;
    m_header.clear();
    m_header.shrink_to_fit();
    if (!m_headerOk) {
        stop();
        return end;
    }
    m_state = State::Outside;
    return close + 1;
}

const char* BookmarkScanner::scanTagName(const char* p, const char* end) {
    for (; p < end; ++p) {
        const char c = *p;
        if (c == '>') {
            endTagName();
            endTag();
            return p + 1;
        }
        if (isBlank(c)) {
            endTagName();
            // A comment or declaration ends at its first ">"; other tags may hold quoted values.
            m_state = m_nameLength > 0 && m_name[0] == '!' ? State::SkipTag : State::AttrGap;
            return p + 1;
        }
        if (m_nameLength < sizeof m_name) {
            m_name[m_nameLength] = toLowerAscii(c);
        }
        ++m_nameLength;
    }
    return p;
}

void BookmarkScanner::endTagName() {
    const std::string_view name(m_name, std::min(m_nameLength, sizeof m_name));
    m_tag = m_nameLength > 3 ? Tag::Other
            : name == "a"    ? Tag::Link
            : name == "h3"   ? Tag::Folder
            : name == "/dl"  ? Tag::ListEnd
                             : Tag::Other;
    m_hasAddress = false;
    m_unquotedAddress = false;
    m_addressTooLong = false;
    m_capturing = false;
}

const char* BookmarkScanner::scanAttributes(const char* p, const char* end) {
    for (; p < end; ++p) {
        const char c = *p;
        if (m_state == State::AttrGap && !isBlank(c) && c != '>') {
            m_state = State::AttrName;  // this is the first letter of a name
            m_attrLength = 0;
        }
        if (c == '>') {
            endTag();
            return p + 1;
        }
        switch (m_state) {
            case State::AttrGap:
                break;
            case State::AttrName:
                if (isBlank(c)) {
                    m_state = State::AttrAfterName;
                } else if (c == '=') {
                    m_state = State::AttrBeforeValue;
                } else {
                    if (m_attrLength < sizeof m_attr) {
                        m_attr[m_attrLength] = toLowerAscii(c);
                    }
                    ++m_attrLength;
                }
                break;
            case State::AttrAfterName:
                if (c == '=') {
                    m_state = State::AttrBeforeValue;
                } else if (!isBlank(c)) {
                    // The last name had no value; this is the first letter of the next one.
                    m_state = State::AttrName;
                    m_attr[0] = toLowerAscii(c);
                    m_attrLength = 1;
                }
                break;
            case State::AttrBeforeValue:
                if (c == '"') {
                    m_capturing = isAddressAttribute();
                    if (m_capturing) {
                        m_collector.begin(kAddressLimit);
                    }
                    m_state = State::AttrQuoted;
                    return p + 1;
                }
                if (!isBlank(c)) {
                    m_unquotedAddress = m_unquotedAddress || isAddressAttribute();
                    m_state = State::AttrUnquoted;
                }
                break;
            case State::AttrUnquoted:
                if (isBlank(c)) {
                    m_state = State::AttrGap;
                }
                break;
            default:
                return p;
        }
    }
    return p;
}

bool BookmarkScanner::isAddressAttribute() const {
    return m_tag == Tag::Link && !m_hasAddress && m_attrLength == 4 &&
           std::string_view(m_attr, 4) == "href";
}

const char* BookmarkScanner::scanQuoted(const char* p, const char* end) {
    // A double-quoted value ends only at its closing quote: a ">" inside it is text.
    const char* stopAt = find(p, end, '"');
    if (m_capturing) {
        m_collector.append({p, static_cast<std::size_t>(stopAt - p)});
    }
    if (stopAt == end) {
        return end;
    }
    if (m_capturing) {
        m_address.assign(m_collector.finish());
        m_addressTooLong = m_collector.wasCut();
        m_hasAddress = true;
        m_capturing = false;
    }
    m_state = State::AttrGap;
    return stopAt + 1;
}

void BookmarkScanner::endTag() {
    m_state = State::Outside;
    switch (m_tag) {
        case Tag::Link:
            if (m_hasAddress) {
                m_collector.begin(kTitleLimit);
                m_state = State::Text;
            } else if (m_unquotedAddress && !m_sink.skipped(SkippedLink::NotQuoted)) {
                stop();
            }
            break;
        case Tag::Folder:
            m_collector.begin(kFolderNameLimit);
            m_state = State::Text;
            break;
        case Tag::ListEnd:
            if (!m_sink.listEnd()) {
                stop();
            }
            break;
        case Tag::Other:
            break;
    }
}

const char* BookmarkScanner::scanText(const char* p, const char* end) {
    const char* open = find(p, end, '<');
    m_collector.append({p, static_cast<std::size_t>(open - p)});
    if (open == end) {
        return end;
    }
    const std::string_view text = m_collector.finish();
    const bool goOn = m_tag != Tag::Link ? m_sink.folder(text)
                      : m_addressTooLong ? m_sink.skipped(SkippedLink::TooLong)
                                         : m_sink.link(text, m_address);
    m_state = goOn ? State::Outside : State::Ended;
    return open + 1;  // the "<" that ended the text is passed over
}

}  // namespace lh::bookmarks

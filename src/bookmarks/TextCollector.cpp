#include "bookmarks/TextCollector.h"

#include <cstring>

#include "text/Ascii.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::bookmarks {

namespace {

constexpr std::uint32_t kTooBig = 0x110000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isAlnum(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The character a named reference stands for (its name between "&" and ";"), or 0.
char namedCharacter(std::string_view name) {
    struct Named {
        std::string_view name;
        char value;
    };
    static constexpr Named kNames[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const Named& n : kNames) {
        if (text::equalsIgnoringAsciiCase(name, n.name)) {
            return n.value;
        }
    }
    return 0;
}

}  // namespace

void TextCollector::begin(std::size_t limit) {
    m_text.clear();
    m_limit = limit;
    m_capacity = limit + 4;
    m_lost = false;
    m_cut = false;
    m_ref = Ref::None;
    m_pendingLength = 0;
    m_value = 0;
}

void TextCollector::putPlain(std::string_view text) {
    std::size_t pos = 0;
    if (m_text.empty()) {
        while (pos < text.size() && (text::isBlank(text[pos]) || text[pos] == '\0')) {
            ++pos;
        }
    }
    while (pos < text.size() && m_text.size() < m_capacity) {
        const std::size_t room = m_capacity - m_text.size();
        std::string_view run = text.substr(pos, room);
        const void* nul = std::memchr(run.data(), '\0', run.size());
        if (nul != nullptr) {
            run =
                run.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - run.data()));
            pos += 1;  // the NUL itself is dropped
        }
        m_text.append(run);
        pos += run.size();
    }
    noteLost(text.substr(std::min(pos, text.size())));
}

void TextCollector::noteLost(std::string_view dropped) {
    if (m_lost) {
        return;
    }
    for (const char c : dropped) {
        if (!text::isBlank(c) && c != '\0') {
            m_lost = true;
            return;
        }
    }
}

void TextCollector::putCodePoint(char32_t codePoint) {
    if (m_text.size() >= m_capacity) {
        m_lost = m_lost || codePoint >= 0x80 || !text::isBlank(static_cast<char>(codePoint));
        return;
    }
    if (m_text.empty() && codePoint < 0x80 && text::isBlank(static_cast<char>(codePoint))) {
        return;
    }
    text::appendUtf8(m_text, codePoint);
}

void TextCollector::flushPending() {
    putPlain({m_pending, m_pendingLength});
    m_pendingLength = 0;
    m_ref = Ref::None;
}

void TextCollector::endReference(bool terminated) {
    switch (m_ref) {
        case Ref::Decimal:
        case Ref::Hex:
            putCodePoint(m_value == 0 || m_value >= kTooBig ? 0xFFFD : m_value);
            m_ref = Ref::None;
            m_pendingLength = 0;
            return;
        case Ref::Named:
            if (terminated) {
                const char c = namedCharacter({m_pending + 1, m_pendingLength - 1});
                if (c != 0) {
                    putPlain({&c, 1});
                    m_ref = Ref::None;
                    m_pendingLength = 0;
                    return;
                }
                m_pending[m_pendingLength++] = ';';  // an unknown name stays as it is
            }
            flushPending();
            return;
        default:
            if (terminated) {
                m_pending[m_pendingLength++] = ';';
            }
            flushPending();
            return;
    }
}

bool TextCollector::stepReference(char c) {
    switch (m_ref) {
        case Ref::Amp:
            if (c == '#') {
                m_pending[m_pendingLength++] = c;
                m_ref = Ref::Hash;
                return true;
            }
            if (isAlnum(c)) {
                m_pending[m_pendingLength++] = c;
                m_ref = Ref::Named;
                return true;
            }
            flushPending();
            return false;
        case Ref::Named:
            if (c == ';') {
                endReference(true);
                return true;
            }
            if (isAlnum(c) && m_pendingLength < sizeof m_pending - 1) {
                m_pending[m_pendingLength++] = c;
                return true;
            }
            flushPending();
            return false;
        case Ref::Hash:
            if (c == 'x' || c == 'X') {
                m_pending[m_pendingLength++] = c;
                m_ref = Ref::HexMark;
                return true;
            }
            if (isDigit(c)) {
                m_ref = Ref::Decimal;
                m_value = static_cast<std::uint32_t>(c - '0');
                return true;
            }
            if (c == ';') {
                endReference(true);
                return true;
            }
            flushPending();
            return false;
        case Ref::HexMark:
            if (hexValue(c) >= 0) {
                m_ref = Ref::Hex;
                m_value = static_cast<std::uint32_t>(hexValue(c));
                return true;
            }
            if (c == ';') {
                endReference(true);
                return true;
            }
            flushPending();
            return false;
        case Ref::Decimal:
            if (isDigit(c)) {
                m_value = m_value >= kTooBig ? kTooBig
                                             : m_value * 10 + static_cast<std::uint32_t>(c - '0');
                return true;
            }
            endReference(c == ';');
            return c == ';';
        case Ref::Hex:
            if (hexValue(c) >= 0) {
                m_value = m_value >= kTooBig
                              ? kTooBig
                              : m_value * 16 + static_cast<std::uint32_t>(hexValue(c));
                return true;
            }
            endReference(c == ';');
            return c == ';';
        case Ref::None:
            break;
    }
    return false;
}

void TextCollector::append(std::string_view raw) {
    std::size_t pos = 0;
    while (pos < raw.size()) {
        if (m_ref != Ref::None) {
            if (stepReference(raw[pos])) {
                ++pos;
            }
            continue;
        }
        const void* amp = std::memchr(raw.data() + pos, '&', raw.size() - pos);
        const std::size_t stop =
            amp == nullptr ? raw.size()
                           : static_cast<std::size_t>(static_cast<const char*>(amp) - raw.data());
        putPlain(raw.substr(pos, stop - pos));
        pos = stop;
        if (pos < raw.size()) {
            m_ref = Ref::Amp;
            m_pending[0] = '&';
            m_pendingLength = 1;
            ++pos;
        }
    }
}

std::string_view TextCollector::finish() {
    if (m_ref != Ref::None) {
        endReference(false);
    }
    m_cut = m_lost || text::trimTrailingBlanks(m_text).size() > m_limit;
    return text::trimTrailingBlanks(text::cutUtf8(m_text, m_limit));
}

}  // namespace lh::bookmarks

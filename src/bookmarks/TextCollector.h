#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lh::bookmarks {

// Gathers one text of a bookmark file (a title, a folder name, an address) as it streams past,
// in bounded memory however long it runs: character references are decoded on the way in,
// leading white space and NUL bytes are dropped, and only what the cut can keep is stored.
//
// References decoded: &amp; &lt; &gt; &quot; &apos; (any letter case) and the numeric forms
// &#NNN; and &#xHHH; (the ";" may be missing). A numeric reference to U+0000, a surrogate or a
// value above U+10FFFF gives U+FFFD. Anything else that starts with "&" stays as it is.
class TextCollector {
public:
    // Starts a new text that will be cut to at most `limit` bytes.
    void begin(std::size_t limit);
    // Adds the next raw piece (UTF-8, references undecoded); pieces may split references.
    void append(std::string_view raw);
    // Ends the text: the decoded text trimmed of white space at both ends and cut to the limit
    // on a character boundary (and trimmed again after the cut). Valid until the next begin().
    std::string_view finish();
    // After finish(): the text was longer than the limit, so finish() gave only its start.
    bool wasCut() const { return m_cut; }

private:
    enum class Ref { None, Amp, Named, Hash, Decimal, HexMark, Hex };

    void putPlain(std::string_view text);
    // `dropped` did not fit: remembers whether it held more than white space.
    void noteLost(std::string_view dropped);
    void putCodePoint(char32_t codePoint);
    // Feeds one byte to the reference being read; false when the byte was not taken (it ended
    // the reference and must be read again as plain text).
    bool stepReference(char c);
    void endReference(bool terminated);
    void flushPending();

    std::string m_text;
    std::size_t m_limit = 0;
    std::size_t m_capacity = 0;  // the limit plus room to find the character boundary
    bool m_lost = false;         // more than white space came after the capacity was full
    bool m_cut = false;
    Ref m_ref = Ref::None;
    char m_pending[12] = {};
    std::size_t m_pendingLength = 0;
    std::uint32_t m_value = 0;
};

}  // namespace lh::bookmarks

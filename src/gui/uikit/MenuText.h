#pragma once

#include <QString>

namespace lh::gui {

// Texts the user typed (category names, link titles) shown as menu or action texts, or as
// tooltips.

// How many characters a menu entry built from such a text shows at most.
inline constexpr int kMenuTextCharacters = 60;

// `text` with each "&" doubled, so that it shows as itself instead of marking a mnemonic.
QString escapeMnemonics(const QString& text);

// `text` cut in the middle to at most `maxCharacters` characters with "…" in place of what was
// left out. Counts and cuts whole characters as the user sees them (a letter with its accents,
// an emoji of two UTF-16 units), never inside one.
QString elideMiddle(const QString& text, int maxCharacters);

// A user's text as a menu entry: elided to kMenuTextCharacters, "&" shown as itself.
QString menuEntryText(const QString& text);

// `text` as a tooltip: markup in it shown as typed, long lines wrapped (a plain tooltip is as
// wide as its longest line, up to the whole screen).
QString plainToolTip(const QString& text);

}  // namespace lh::gui

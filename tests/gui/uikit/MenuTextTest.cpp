#include "gui/uikit/MenuText.h"

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

TEST(MenuTextTest, AmpersandsAreDoubledAndNothingElseChanges) {
    EXPECT_EQ(escapeMnemonics("Dev & Tools"), "Dev && Tools");
    EXPECT_EQ(escapeMnemonics("&&&"), "&&&&&&");
    EXPECT_EQ(escapeMnemonics("_plain_ <b>"), "_plain_ <b>");
    EXPECT_EQ(menuEntryText("R&D"), "R&&D");
}

TEST(MenuTextTest, LongTextsLoseTheirMiddleNeverHalfACharacter) {
    EXPECT_EQ(elideMiddle("abcdef", 6), "abcdef");
    EXPECT_EQ(elideMiddle("abcdefg", 6), QString("abc") + QChar(0x2026) + "fg");
    EXPECT_EQ(elideMiddle("abcdefg", 1), QString(QChar(0x2026)));

    // An emoji is two UTF-16 units, "e" with a combining acute accent two code points: each is
    // one character, kept or left out whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString accented = QString::fromUtf8("e\xCC\x81");
    QString text;
    for (int i = 0; i < 40; ++i) {
        text += emoji + accented;
    }
    // 30 characters before the ellipsis (15 pairs, 60 units), 29 after it (58 units).
    EXPECT_EQ(elideMiddle(text, 60), text.left(60) + QChar(0x2026) + text.right(58));
    EXPECT_EQ(elideMiddle(text, 80), text);

    // The menu's own length: 60 characters of an 800-character title, "&" doubled afterwards.
    const QString title = QString(400, 'a') + "&" + QString(399, 'b');
    EXPECT_EQ(menuEntryText(title), QString(30, 'a') + QChar(0x2026) + QString(29, 'b'));
    EXPECT_EQ(menuEntryText(QString(29, 'a') + "&" + QString(40, 'b')),
              QString(29, 'a') + "&&" + QChar(0x2026) + QString(29, 'b'));
}

TEST(MenuTextTest, ToolTipsShowMarkupAsTyped) {
    const QString tip = plainToolTip("<b>bold</b> & co");
    EXPECT_TRUE(tip.contains("&lt;b&gt;bold&lt;/b&gt; &amp; co"));
    EXPECT_FALSE(tip.contains("<b>"));
}

}  // namespace
}  // namespace lh::gui

#include "gui/uikit/MenuText.h"

#include <QTextBoundaryFinder>
#include <QTextDocument>

#include <vector>

namespace lh::gui {

QString escapeMnemonics(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return escaped;
}

QString elideMiddle(const QString& text, int maxCharacters) {
    // Where each character starts, and the end of the text.
    std::vector<qsizetype> starts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = 0; at != -1; at = finder.toNextBoundary()) {
        starts.push_back(at);
    }
    const auto characters = static_cast<int>(starts.size()) - 1;
    if (characters <= maxCharacters || maxCharacters < 1) {
        return text;
    }
    const int kept = maxCharacters - 1;  // one character goes to the ellipsis
    const int head = (kept + 1) / 2;
    const int tail = kept - head;
    const qsizetype tailStart = starts[static_cast<std::size_t>(characters - tail)];
    return text.left(starts[static_cast<std::size_t>(head)]) + QChar(0x2026) + text.mid(tailStart);
}

QString menuEntryText(const QString& text) {
    return escapeMnemonics(elideMiddle(text, kMenuTextCharacters));
}

QString plainToolTip(const QString& text) {
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

}  // namespace lh::gui

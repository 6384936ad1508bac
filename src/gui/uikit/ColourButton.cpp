#include "gui/uikit/ColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "gui/uikit/StoredColour.h"

namespace lh::gui {

ColourButton::ColourButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setMinimumHeight(28);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
}

void ColourButton::setColour(std::uint32_t colour) {
    m_colour = colour;
    update();
}

void ColourButton::setSampleBackground(std::uint32_t background) {
    m_sampleBackground = background;
    update();
}

QSize ColourButton::sizeHint() const {
    // Room for the swatch (twice as wide as high) beside the text, which the base class leaves out.
    const QSize base = QPushButton::sizeHint();
    const int swatch = m_sampleBackground ? 0 : 2 * (base.height() - 10) + 6;
    return {base.width() + swatch + 24, std::max(base.height(), minimumHeight())};
}

void ColourButton::choose() {
    const QColor picked = QColorDialog::getColor(storedColour(m_colour), this, text(),
                                                 QColorDialog::DontUseNativeDialog);
    if (picked.isValid()) {
        setColour(storedValue(picked));
        emit colourChosen(m_colour);
    }
}

void ColourButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect inner = rect().adjusted(5, 5, -5, -5);
    if (m_sampleBackground) {
        // The text as it will look: its colour on the background it is shown on.
        painter.fillRect(inner, storedColour(*m_sampleBackground));
        painter.setPen(storedColour(m_colour));
        painter.drawText(inner, Qt::AlignCenter, QString(text()).remove('&'));
        return;
    }
    const QRect swatch(inner.left(), inner.top(), inner.height() * 2, inner.height());
    painter.fillRect(swatch, storedColour(m_colour));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(inner.adjusted(swatch.width() + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QString(text()).remove('&'));
}

}  // namespace lh::gui

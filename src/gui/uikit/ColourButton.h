#pragma once

#include <QPushButton>

#include <cstdint>
#include <optional>

namespace lh::gui {

// A button that shows a colour and lets the user pick another. With a sample text it shows that
// text in its colour on `background`, the way the text will look.
class ColourButton : public QPushButton {
    Q_OBJECT

public:
    explicit ColourButton(const QString& text, QWidget* parent = nullptr);

    std::uint32_t colour() const { return m_colour; }
    void setColour(std::uint32_t colour);
    // Shows the text in the colour on this background instead of a swatch beside it.
    void setSampleBackground(std::uint32_t background);
    QSize sizeHint() const override;

signals:
    void colourChosen(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    std::uint32_t m_colour = 0;
    std::optional<std::uint32_t> m_sampleBackground;
};

}  // namespace lh::gui

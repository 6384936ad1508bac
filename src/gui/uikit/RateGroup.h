#pragma once

#include <QGroupBox>
#include <QWidget>

#include <array>

class QRadioButton;

namespace lh::gui {

// The rate picture: five 16 x 16 stars side by side, the first `rate` full, the rest empty.
class RatePicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kStarSize = 16;
    static constexpr int kStarCount = 5;

    explicit RatePicture(QWidget* parent = nullptr);
    int rate() const { return m_rate; }
    void setRate(int rate);
    QSize sizeHint() const override { return {kStarSize * kStarCount, kStarSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_rate = 1;
};

// The "Rate" group: radio buttons "1 star" to "5 star" (named rate1RadioButton ...) and the rate
// picture, which follows the button checked last.
class RateGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RateGroup(QWidget* parent = nullptr);

    // Checks the button of `rate`; rates outside 1 to 4 check "5 star".
    void checkRate(int rate);
    // 1 to 4 for the first checked of the first four buttons, otherwise 5.
    int checkedRate() const;
    RatePicture& picture() { return *m_picture; }
    const RatePicture& picture() const { return *m_picture; }

private:
    std::array<QRadioButton*, RatePicture::kStarCount> m_buttons{};
    RatePicture* m_picture = nullptr;
};

}  // namespace lh::gui

#include "gui/uikit/RateGroup.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPolygonF>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace lh::gui {

namespace {

// A five-pointed star filling a kStarSize square at `left`.
QPolygonF starAt(int left) {
    constexpr double kOuter = 7.5;
    constexpr double kInner = 3.2;
    const QPointF centre(left + RatePicture::kStarSize / 2.0, RatePicture::kStarSize / 2.0 + 0.5);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? kOuter : kInner;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

}  // namespace

RatePicture::RatePicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void RatePicture::setRate(int rate) {
    if (rate != m_rate) {
        m_rate = rate;
        update();
    }
}

void RatePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kStarCount; ++i) {
        const bool full = i < m_rate;
        painter.setPen(QPen(full ? QColor(0xB0, 0x80, 0x00) : QColor(0x90, 0x90, 0x90), 1));
        painter.setBrush(full ? QColor(0xFF, 0xC8, 0x20) : QColor(0xF0, 0xF0, 0xF0));
        painter.drawPolygon(starAt(i * kStarSize));
    }
}

RateGroup::RateGroup(QWidget* parent) : QGroupBox(QStringLiteral("Rate"), parent) {
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < RatePicture::kStarCount; ++i) {
        const int rate = i + 1;
        auto* button = new QRadioButton(QStringLiteral("%1 star").arg(rate), this);
        button->setObjectName(QStringLiteral("rate%1RadioButton").arg(rate));
        connect(button, &QRadioButton::toggled, this, [this, rate](bool checked) {
            if (checked) {
                m_picture->setRate(rate);
            }
        });
        buttons->addWidget(button);
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    m_picture = new RatePicture(this);
    m_picture->setObjectName(QStringLiteral("ratePicture"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_picture);
}

void RateGroup::checkRate(int rate) {
    const int index = rate >= 1 && rate <= 4 ? rate - 1 : RatePicture::kStarCount - 1;
    m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
}

int RateGroup::checkedRate() const {
    for (int i = 0; i < RatePicture::kStarCount - 1; ++i) {
        if (m_buttons[static_cast<std::size_t>(i)]->isChecked()) {
            return i + 1;
        }
    }
    return RatePicture::kStarCount;
}

}  // namespace lh::gui

#include "gui/items/StepLineEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "commands/RemindEditor.h"

namespace lh::gui {

namespace {

QToolButton* makeStepButton(const QString& name, Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

StepLineEdit::StepLineEdit(const QString& name, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(maximum) {
    setObjectName(name);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(name + QStringLiteral("LineEdit"));
    m_edit->setMaximumWidth(48);
    QToolButton* up = makeStepButton(name + QStringLiteral("UpButton"), Qt::UpArrow, this);
    QToolButton* down = makeStepButton(name + QStringLiteral("DownButton"), Qt::DownArrow, this);
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });

    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(up);
    buttons->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
    setFocusProxy(m_edit);
}

QString StepLineEdit::text() const {
    return m_edit->text();
}

void StepLineEdit::setText(const QString& text) {
    m_edit->setText(text);
}

void StepLineEdit::stepBy(int delta) {
    const int value = commands::readLeadingNumber(m_edit->text().toStdString());
    // Saturated readings stay clear of overflow: clamp before stepping.
    const int start = std::clamp(value, m_minimum - 1, m_maximum + 1);
    m_edit->setText(QString::number(std::clamp(start + delta, m_minimum, m_maximum)));
}

}  // namespace lh::gui

#include "gui/reminders/AlarmWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/uikit/QtText.h"
#include "gui/uikit/RateGroup.h"
#include "gui/uikit/TabMovesFocus.h"

namespace lh::gui {

namespace {

constexpr int kShortSnoozeSeconds = 300;
constexpr int kLongSnoozeSeconds = 600;

QLabel* namedLabel(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

QPushButton* namedButton(const QString& text, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

AlarmWindow::AlarmWindow(reminders::Announcement announcement, QWidget* parent)
    : QDialog(parent), m_announcement(std::move(announcement)) {
    setupUi();
}

void AlarmWindow::setupUi() {
    setObjectName(QStringLiteral("alarmWindow"));
    setWindowTitle(toQString(m_announcement.title));

    auto* stars = new RatePicture(this);
    stars->setObjectName(QStringLiteral("ratePicture"));
    stars->setRate(m_announcement.rate);
    auto* comment = new QPlainTextEdit(toQString(m_announcement.comment), this);
    comment->setObjectName(QStringLiteral("remindEventPlainTextEdit"));
    comment->setReadOnly(true);
    makeTabMoveFocus(*comment);

    auto* category = new QHBoxLayout;
    category->addWidget(namedLabel(QStringLiteral("Categoray:"), "categoryCaptionLabel", this));
    category->addWidget(namedLabel(toQString(m_announcement.category), "categoryLabel", this), 1);

    auto* remindLaterButton =
        namedButton(QStringLiteral("Remind me later"), "remindLaterButton", this);
    auto* acknowledgeButton = namedButton(QStringLiteral("Acknowledge"), "acknowledgeButton", this);
    acknowledgeButton->setDefault(true);
    connect(remindLaterButton, &QPushButton::clicked, this, &AlarmWindow::remindMeLater);
    connect(acknowledgeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(remindLaterButton);
    buttons->addWidget(acknowledgeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stars);
    layout->addWidget(namedLabel(QStringLiteral("Remind Event"), "remindEventLabel", this));
    layout->addWidget(comment, 1);
    layout->addLayout(category);
    if (m_announcement.missedAt) {
        layout->addWidget(namedLabel(toQString(reminders::missedText(*m_announcement.missedAt)),
                                     "missedLabel", this));
    }
    layout->addWidget(makeSnoozeGroup());
    layout->addLayout(buttons);
    resize(320, 260);
}

QWidget* AlarmWindow::makeSnoozeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Remind me after ? minute"), this);
    group->setObjectName(QStringLiteral("remindAfterGroupBox"));
    m_fiveMinutes = new QRadioButton(QStringLiteral("5 minutes later"), group);
    m_fiveMinutes->setObjectName(QStringLiteral("fiveMinutesRadioButton"));
    m_fiveMinutes->setChecked(true);
    m_tenMinutes = new QRadioButton(QStringLiteral("10 minutes later"), group);
    m_tenMinutes->setObjectName(QStringLiteral("tenMinutesRadioButton"));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_fiveMinutes);
    layout->addWidget(m_tenMinutes);
    return group;
}

int AlarmWindow::snoozeSeconds() const {
    return m_tenMinutes->isChecked() ? kLongSnoozeSeconds : kShortSnoozeSeconds;
}

void AlarmWindow::remindMeLater() {
    emit remindLater(snoozeSeconds());
    accept();
}

}  // namespace lh::gui

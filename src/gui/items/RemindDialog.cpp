#include "gui/items/RemindDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/items/ItemDialogParts.h"
#include "gui/items/StepLineEdit.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/RateGroup.h"
#include "store/RemindKey.h"

namespace lh::gui {

namespace {

using commands::RemindType;

constexpr std::array<const char*, RemindDialog::kDayCount> kDayTexts = {
    "Mon", "Tues.", "Wed.", "Thurs.", "Fri", "Sat.", "Sun."};
constexpr std::array<const char*, RemindDialog::kDayCount> kDayNames = {
    "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

const QString kOnceFormat = QStringLiteral("yyyy-MM-dd");
const QString kYearlyFormat = QStringLiteral("MM-dd");

int firstLeapYearFrom(int year) {
    while (!QDate::isLeapYear(year)) {
        ++year;
    }
    return year;
}

QRadioButton* makeRadio(const char* text, const char* name, QWidget* parent) {
    auto* radio = new QRadioButton(QString::fromLatin1(text), parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

}  // namespace

RemindDialog::RemindDialog(const commands::ParentChoice& categories, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("remindDialog"));
    setWindowTitle(QStringLiteral("Remind Dialog"));
    m_titleEdit = new QLineEdit(this);
    m_titleEdit->setObjectName(QStringLiteral("titleLineEdit"));
    m_typeGroup = makeTypeGroup();
    m_categoryCombo = makeCategoryCombo(categories, this);
    m_rateGroup = new RateGroup(this);
    m_rateGroup->setObjectName(QStringLiteral("rateGroup"));
    m_memoEdit = makeMemoEdit(this);
    m_createTime = makeCreateTimeLabel(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Title"), m_titleEdit);
    form->addRow(m_typeGroup);
    form->addRow(QStringLiteral("Category"), m_categoryCombo);
    form->addRow(m_rateGroup);
    form->addRow(QStringLiteral("Memo"), m_memoEdit);
    form->addRow(QStringLiteral("Sound"), makeSoundRow());
    form->addRow(QStringLiteral("Create Time"), m_createTime);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(makeButtonRow());
    checkType(RemindType::Once);
    resize(480, 560);
}

QGroupBox* RemindDialog::makeTypeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Remind Type"), this);
    group->setObjectName(QStringLiteral("remindTypeGroup"));
    m_dateEdit = new QDateEdit(group);
    m_dateEdit->setObjectName(QStringLiteral("dateEdit"));
    m_dateEdit->setCalendarPopup(true);
    // The year a one-time reminder takes follows the picker while it shows years.
    connect(m_dateEdit, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (checkedType() != RemindType::Yearly) {
            m_year = date.year();
        }
    });
    m_hour = new StepLineEdit(QStringLiteral("hour"), 0, 23, group);
    m_minute = new StepLineEdit(QStringLiteral("minute"), 0, 59, group);
    m_once = makeRadio("Remind One Times", "onceRadioButton", group);
    m_yearly = makeRadio("Every year", "yearlyRadioButton", group);
    m_customDays = makeRadio("Remind Custom Day", "customDayRadioButton", group);
    m_typeButtons = new QButtonGroup(this);
    m_typeButtons->addButton(m_once);
    m_typeButtons->addButton(m_yearly);
    m_typeButtons->addButton(m_customDays);
    connect(m_typeButtons, &QButtonGroup::buttonClicked, this, [this] { applyType(); });

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("Date"), group));
    timeRow->addWidget(m_dateEdit);
    timeRow->addSpacing(12);
    timeRow->addWidget(new QLabel(QStringLiteral("Time"), group));
    timeRow->addWidget(m_hour);
    timeRow->addWidget(new QLabel(QStringLiteral(":"), group));
    timeRow->addWidget(m_minute);
    timeRow->addStretch();
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_once);
    typeRow->addWidget(m_yearly);
    typeRow->addWidget(m_customDays);
    typeRow->addStretch();
    auto* dayRow = new QHBoxLayout;
    for (int i = 0; i < kDayCount; ++i) {
        m_days[i] = new QCheckBox(QString::fromLatin1(kDayTexts[i]), group);
        m_days[i]->setObjectName(QString::fromLatin1(kDayNames[i]) + QStringLiteral("CheckBox"));
        dayRow->addWidget(m_days[i]);
    }
    dayRow->addStretch();
    auto* inner = new QVBoxLayout(group);
    inner->addLayout(timeRow);
    inner->addLayout(typeRow);
    inner->addLayout(dayRow);
    return group;
}

QLayout* RemindDialog::makeSoundRow() {
    m_soundEdit = new QLineEdit(this);
    m_soundEdit->setObjectName(QStringLiteral("soundLineEdit"));
    auto* browse = new QPushButton(QStringLiteral(".."), this);
    browse->setObjectName(QStringLiteral("browseSoundButton"));
    browse->setMaximumWidth(32);
    auto* play = new QPushButton(QStringLiteral("Play"), this);
    play->setObjectName(QStringLiteral("playButton"));
    connect(browse, &QPushButton::clicked, this, [this] {
        if (m_browse) {
            m_browse(*this);
        }
    });
    connect(play, &QPushButton::clicked, this, [this] {
        if (m_play) {
            m_play(*this);
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(m_soundEdit);
    row->addWidget(browse);
    row->addWidget(play);
    return row;
}

QLayout* RemindDialog::makeButtonRow() {
    m_compactButton = new QToolButton(this);
    m_compactButton->setObjectName(QStringLiteral("compactButton"));
    m_compactButton->setArrowType(Qt::UpArrow);
    m_compactButton->setToolTip(QStringLiteral("Hide the schedule"));
    connect(m_compactButton, &QToolButton::clicked, this, [this] { toggleCompact(); });
    const OkCancelRow row = makeSaveDefaultRow(*this, [this] {
        if (m_saveDefault) {
            m_saveDefault(*this);
        }
    });
    row.layout->insertWidget(0, m_compactButton);
    return row.layout;
}

void RemindDialog::setValues(const commands::RemindValues& values, int pictureRate) {
    m_titleEdit->setText(toQString(values.title));
    checkType(values.type);
    showDate(values.year, values.month, values.day);
    m_hour->setText(toQString(values.hour));
    m_minute->setText(toQString(values.minute));
    for (int i = 0; i < kDayCount; ++i) {
        m_days[i]->setChecked((values.weekdays & store::weekdayBit(i + 1)) != 0);
    }
    m_memoEdit->setPlainText(toQString(values.memo));
    setSound(values.sound);
    m_rateGroup->checkRate(values.rate);
    m_rateGroup->picture().setRate(pictureRate);
}

commands::RemindValues RemindDialog::values() const {
    commands::RemindValues v;
    v.title = m_titleEdit->text().toStdString();
    const QDate date = m_dateEdit->date();
    v.year = m_year;
    v.month = date.month();
    v.day = date.day();
    v.hour = m_hour->text().toStdString();
    v.minute = m_minute->text().toStdString();
    v.type = checkedType();
    for (int i = 0; i < kDayCount; ++i) {
        if (m_days[i]->isChecked()) {
            v.weekdays |= store::weekdayBit(i + 1);
        }
    }
    v.memo = m_memoEdit->toPlainText().toStdString();
    v.sound = m_soundEdit->text().toStdString();
    v.rate = static_cast<std::uint8_t>(m_rateGroup->checkedRate());
    v.category = m_categoryCombo->selectedCategoryId();
    return v;
}

void RemindDialog::setSound(const std::string& path) {
    m_soundEdit->setText(toQString(path));
}

void RemindDialog::setCreateTime(const QString& text) {
    m_createTime->setText(text);
}

void RemindDialog::setCategoryLocked(bool locked) {
    m_categoryCombo->setEnabled(!locked);
}

int RemindDialog::pictureRate() const {
    return m_rateGroup->picture().rate();
}

void RemindDialog::focusInput(commands::RemindInput input) {
    switch (input) {
        case commands::RemindInput::Title:
            m_titleEdit->setFocus();
            break;
        case commands::RemindInput::Hour:
            m_hour->setFocus();
            break;
        case commands::RemindInput::Minute:
            m_minute->setFocus();
            break;
        case commands::RemindInput::None:
            break;
    }
}

void RemindDialog::checkType(std::optional<RemindType> type) {
    QAbstractButton* button = nullptr;
    if (type) {
        button = *type == RemindType::Once     ? m_once
                 : *type == RemindType::Yearly ? m_yearly
                                               : m_customDays;
    }
    // An exclusive group unchecks its last button only while it is not exclusive.
    m_typeButtons->setExclusive(false);
    for (QAbstractButton* b : m_typeButtons->buttons()) {
        b->setChecked(b == button);
    }
    m_typeButtons->setExclusive(true);
    applyType();
}

std::optional<RemindType> RemindDialog::checkedType() const {
    if (m_once->isChecked()) {
        return RemindType::Once;
    }
    if (m_yearly->isChecked()) {
        return RemindType::Yearly;
    }
    if (m_customDays->isChecked()) {
        return RemindType::CustomDays;
    }
    return std::nullopt;
}

void RemindDialog::applyType() {
    const std::optional<RemindType> type = checkedType();
    // No type checked is stored as custom days, so it offers what custom days use.
    const bool usesDays = !type || *type == RemindType::CustomDays;
    m_dateEdit->setEnabled(!usesDays);
    for (QCheckBox* day : m_days) {
        day->setEnabled(usesDays);
    }
    if (usesDays) {
        return;
    }
    const QDate date = m_dateEdit->date();
    m_dateEdit->setDisplayFormat(*type == RemindType::Yearly ? kYearlyFormat : kOnceFormat);
    showDate(m_year, date.month(), date.day());
}

void RemindDialog::showDate(int year, int month, int day) {
    const int shownYear = checkedType() == RemindType::Yearly ? firstLeapYearFrom(year) : year;
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, QDate(shownYear, month, 1).daysInMonth());
    m_dateEdit->setDate(QDate(shownYear, month, day));
    m_year = year;
}

void RemindDialog::toggleCompact() {
    const int shift = m_typeGroup->sizeHint().height() + layout()->spacing();
    m_compact = !m_compact;
    m_typeGroup->setVisible(!m_compact);
    m_compactButton->setArrowType(m_compact ? Qt::DownArrow : Qt::UpArrow);
    m_compactButton->setToolTip(m_compact ? QStringLiteral("Show the schedule")
                                          : QStringLiteral("Hide the schedule"));
    resize(width(), height() + (m_compact ? -shift : shift));
}

void RemindDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

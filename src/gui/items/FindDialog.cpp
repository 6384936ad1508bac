#include "gui/items/FindDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

constexpr items::FindType kTypes[] = {items::FindType::Url, items::FindType::File,
                                      items::FindType::Remind};
constexpr unsigned kFields[] = {items::kFindTitle, items::kFindAddress, items::kFindComment};

}  // namespace

FindDialog::FindDialog(std::uint16_t findTypeBits, const std::vector<std::string>& history,
                       QWidget* parent)
    : QDialog(parent), m_findTypeBits(findTypeBits) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Dialog"));

    m_textCombo = new QComboBox(this);
    m_textCombo->setObjectName(QStringLiteral("findTextComboBox"));
    m_textCombo->setEditable(true);
    m_textCombo->setInsertPolicy(QComboBox::NoInsert);  // OK stores the history, not the box
    m_textCombo->setMinimumWidth(260);
    QStringList texts;
    for (const std::string& text : history) {
        texts.push_back(toQString(text));
    }
    texts.sort(Qt::CaseInsensitive);
    m_textCombo->addItems(texts);
    m_textCombo->setCurrentIndex(-1);

    auto* typeGroup = new QGroupBox(QStringLiteral("Find Type"), this);
    auto* typeLayout = new QHBoxLayout(typeGroup);
    const char* typeNames[] = {"URL", "File", "Remind"};
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i) {
        m_typeButtons[i] = new QRadioButton(QString::fromUtf8(typeNames[i]), typeGroup);
        m_typeButtons[i]->setObjectName(QStringLiteral("findType%1").arg(i));
        typeLayout->addWidget(m_typeButtons[i]);
        const items::FindType type = kTypes[i];
        connect(m_typeButtons[i], &QRadioButton::toggled, this, [this, type](bool checked) {
            if (checked) {
                showFieldsOf(type);
            }
        });
    }
    typeGroup->setVisible(false);  // the type comes from the settings

    auto* fieldGroup = new QGroupBox(QStringLiteral("Search fields"), this);
    auto* fieldLayout = new QHBoxLayout(fieldGroup);
    const char* boxNames[] = {"findTitleCheckBox", "findAddressCheckBox", "findCommentCheckBox"};
    for (std::size_t i = 0; i < m_fieldBoxes.size(); ++i) {
        m_fieldBoxes[i] = new QCheckBox(fieldGroup);
        m_fieldBoxes[i]->setObjectName(QString::fromUtf8(boxNames[i]));
        fieldLayout->addWidget(m_fieldBoxes[i]);
    }

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel(QStringLiteral("Find"), this));
    textRow->addWidget(m_textCombo, 1);
    const OkCancelRow buttons = makeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(typeGroup);
    layout->addWidget(fieldGroup);
    layout->addLayout(buttons.layout);

    const items::FindType opening = items::openingFindType(findTypeBits);
    m_typeButtons[static_cast<std::size_t>(opening) - 1]->setChecked(true);
    m_textCombo->setFocus();
}

void FindDialog::showFieldsOf(items::FindType type) {
    const bool url = type == items::FindType::Url;
    m_fieldBoxes[0]->setText(type == items::FindType::File ? QStringLiteral("File name")
                                                           : QStringLiteral("Title"));
    m_fieldBoxes[1]->setText(QStringLiteral("URL"));
    m_fieldBoxes[1]->setVisible(url);
    m_fieldBoxes[2]->setText(QStringLiteral("Comment"));
    // Boxes whose bit is set are checked; the others keep their state.
    const unsigned stored = items::findFields(m_findTypeBits, type);
    for (std::size_t i = 0; i < m_fieldBoxes.size(); ++i) {
        if ((stored & kFields[i]) != 0) {
            m_fieldBoxes[i]->setChecked(true);
        }
    }
}

std::string FindDialog::text() const {
    return m_textCombo->currentText().toStdString();
}

items::FindType FindDialog::type() const {
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i) {
        if (m_typeButtons[i]->isChecked()) {
            return kTypes[i];
        }
    }
    return items::FindType::Remind;
}

unsigned FindDialog::fields() const {
    unsigned fields = 0;
    for (std::size_t i = 0; i < m_fieldBoxes.size(); ++i) {
        if (m_fieldBoxes[i]->isChecked() && !m_fieldBoxes[i]->isHidden()) {
            fields |= kFields[i];
        }
    }
    return fields;
}

bool FindDialog::historyHolds(const std::string& text) const {
    return m_textCombo->findText(toQString(text), Qt::MatchFixedString) >= 0;
}

void FindDialog::accept() {
    if (m_acceptHandler) {
        m_acceptHandler(*this);
    }
    QDialog::accept();
}

}  // namespace lh::gui

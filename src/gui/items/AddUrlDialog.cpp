#include "gui/items/AddUrlDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/items/ItemDialogParts.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/RateGroup.h"

namespace lh::gui {

AddUrlDialog::AddUrlDialog(const commands::ParentChoice& categories, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("addUrlDialog"));
    setWindowTitle(QStringLiteral("Add Url"));
    m_titleEdit = new QLineEdit(this);
    m_titleEdit->setObjectName(QStringLiteral("titleLineEdit"));
    m_addressEdit = new QPlainTextEdit(this);
    m_addressEdit->setObjectName(QStringLiteral("urlPlainTextEdit"));
    m_addressEdit->setTabChangesFocus(true);
    m_categoryCombo = makeCategoryCombo(categories, this);
    m_rateGroup = new RateGroup(this);
    m_rateGroup->setObjectName(QStringLiteral("rateGroup"));
    m_memoEdit = makeMemoEdit(this);
    m_createTime = makeCreateTimeLabel(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Title"), m_titleEdit);
    form->addRow(QStringLiteral("URL"), m_addressEdit);
    form->addRow(QStringLiteral("Category"), m_categoryCombo);
    form->addRow(m_rateGroup);
    form->addRow(QStringLiteral("Memo"), m_memoEdit);
    form->addRow(QStringLiteral("Create Time"), m_createTime);

    const OkCancelRow row = makeSaveDefaultRow(*this, [this] {
        if (m_saveDefault) {
            m_saveDefault(*this);
        }
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row.layout);
    resize(460, 420);
}

void AddUrlDialog::setTitle(const std::string& title) {
    m_titleEdit->setText(toQString(title));
}

void AddUrlDialog::setAddress(const std::string& address) {
    m_addressEdit->setPlainText(toQString(address));
}

void AddUrlDialog::setMemo(const std::string& memo) {
    m_memoEdit->setPlainText(toQString(memo));
}

void AddUrlDialog::setCreateTime(const QString& text) {
    m_createTime->setText(text);
}

void AddUrlDialog::setRate(int pictureRate, int buttonRate) {
    m_rateGroup->checkRate(buttonRate);
    m_rateGroup->picture().setRate(pictureRate);
}

void AddUrlDialog::setCategoryLocked(bool locked) {
    m_categoryCombo->setEnabled(!locked);
}

commands::UrlValues AddUrlDialog::values() const {
    return {m_titleEdit->text().toStdString(), m_addressEdit->toPlainText().toStdString(),
            m_memoEdit->toPlainText().toStdString(),
            static_cast<std::uint8_t>(m_rateGroup->checkedRate()),
            m_categoryCombo->selectedCategoryId()};
}

int AddUrlDialog::pictureRate() const {
    return m_rateGroup->picture().rate();
}

void AddUrlDialog::focusInput(commands::ItemInput input) {
    if (input == commands::ItemInput::Title) {
        m_titleEdit->setFocus();
    } else if (input == commands::ItemInput::Address) {
        m_addressEdit->setFocus();
    }
}

void AddUrlDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

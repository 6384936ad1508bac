#include "gui/items/AddFileDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/items/ItemDialogParts.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/RateGroup.h"

namespace lh::gui {

AddFileDialog::AddFileDialog(const commands::ParentChoice& categories, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("addFileDialog"));
    setWindowTitle(QStringLiteral("Dialog"));
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("fileNameLineEdit"));
    m_browseButton = new QPushButton(QStringLiteral("..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    connect(m_browseButton, &QPushButton::clicked, this, [this] {
        if (m_browse) {
            m_browse(*this);
        }
    });
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName(QStringLiteral("filePathLineEdit"));
    m_categoryCombo = makeCategoryCombo(categories, this);
    m_rateGroup = new RateGroup(this);
    m_rateGroup->setObjectName(QStringLiteral("rateGroup"));
    m_memoEdit = makeMemoEdit(this);
    m_mustExist = new QCheckBox(QStringLiteral("The file must exist"), this);
    m_mustExist->setObjectName(QStringLiteral("mustExistCheckBox"));
    m_createTime = makeCreateTimeLabel(this);
    m_fileSize = new QLabel(QStringLiteral("--"), this);
    m_fileSize->setObjectName(QStringLiteral("fileSizeLabel"));

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_nameEdit, 1);
    nameRow->addWidget(m_browseButton);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File name"), nameRow);
    form->addRow(QStringLiteral("File path"), m_folderEdit);
    form->addRow(QStringLiteral("Category"), m_categoryCombo);
    form->addRow(m_rateGroup);
    form->addRow(QStringLiteral("Memo"), m_memoEdit);
    form->addRow(m_mustExist);
    form->addRow(QStringLiteral("Create Time"), m_createTime);
    form->addRow(QStringLiteral("File size"), m_fileSize);

    // The File defaults are not saved from here; the button is kept for the familiar layout.
    auto* saveDefault = new QPushButton(QStringLiteral("Save as default"), this);
    saveDefault->setObjectName(QStringLiteral("saveDefaultButton"));
    saveDefault->setEnabled(false);
    const OkCancelRow row = makeOkCancelRow(*this);
    row.layout->insertWidget(0, saveDefault);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row.layout);
    resize(460, 440);
}

void AddFileDialog::setFile(const std::string& name, const std::string& folder) {
    m_nameEdit->setText(toQString(name));
    m_folderEdit->setText(toQString(folder));
}

void AddFileDialog::setMemo(const std::string& memo) {
    m_memoEdit->setPlainText(toQString(memo));
}

void AddFileDialog::setCreateTime(const QString& text) {
    m_createTime->setText(text);
}

void AddFileDialog::setFileSize(const QString& text) {
    m_fileSize->setText(text);
}

void AddFileDialog::setRate(int pictureRate, int buttonRate) {
    m_rateGroup->checkRate(buttonRate);
    m_rateGroup->picture().setRate(pictureRate);
}

void AddFileDialog::setMustExist(bool on) {
    m_mustExist->setChecked(on);
}

void AddFileDialog::setBrowseEnabled(bool enabled) {
    m_browseButton->setEnabled(enabled);
}

void AddFileDialog::setCategoryLocked(bool locked) {
    m_categoryCombo->setEnabled(!locked);
}

commands::FileValues AddFileDialog::values() const {
    return {m_nameEdit->text().toStdString(),
            m_folderEdit->text().toStdString(),
            m_memoEdit->toPlainText().toStdString(),
            static_cast<std::uint8_t>(m_rateGroup->checkedRate()),
            m_categoryCombo->selectedCategoryId(),
            m_mustExist->isChecked()};
}

void AddFileDialog::focusInput(commands::ItemInput input) {
    if (input == commands::ItemInput::FileName) {
        m_nameEdit->setFocus();
    } else if (input == commands::ItemInput::FilePath) {
        m_folderEdit->setFocus();
    }
}

void AddFileDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

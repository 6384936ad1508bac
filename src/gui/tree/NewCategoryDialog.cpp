#include "gui/tree/NewCategoryDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/TabMovesFocus.h"

namespace lh::gui {

NewCategoryDialog::NewCategoryDialog(Mode mode, const commands::ParentChoice& choice,
                                     QWidget* parent)
    : QDialog(parent), m_mode(mode) {
    setupUi(choice);
}

void NewCategoryDialog::setupUi(const commands::ParentChoice& choice) {
    setObjectName(QStringLiteral("newCategoryDialog"));
    setWindowTitle(m_mode == Mode::Create ? QStringLiteral("Create new category")
                                          : QStringLiteral("Move to ......"));

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameLineEdit"));
    m_parentCombo = new CategoryComboBox(this);
    m_parentCombo->setObjectName(QStringLiteral("parentCategoryComboBox"));
    m_parentCombo->setChoice(choice);
    m_memoEdit = new QPlainTextEdit(this);
    m_memoEdit->setObjectName(QStringLiteral("memoPlainTextEdit"));
    makeTabMoveFocus(*m_memoEdit);
    const bool editable = m_mode == Mode::Create;
    m_nameEdit->setEnabled(editable);
    m_memoEdit->setEnabled(editable);

    const OkCancelRow row = makeOkCancelRow(*this);
    m_okButton = row.ok;
    m_cancelButton = row.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Category Name"), this));
    layout->addWidget(m_nameEdit);
    layout->addWidget(new QLabel(QStringLiteral("Below"), this));
    layout->addWidget(m_parentCombo);
    layout->addWidget(new QLabel(QStringLiteral("Memo"), this));
    layout->addWidget(m_memoEdit, 1);
    layout->addLayout(row.layout);
    resize(320, 300);
}

void NewCategoryDialog::showMovedCategory(const std::string& name, const std::string& memo) {
    m_nameEdit->setText(toQString(name));
    m_memoEdit->setPlainText(toQString(memo));
}

std::optional<std::uint16_t> NewCategoryDialog::selectedParentId() const {
    return m_parentCombo->selectedCategoryId();
}

std::string NewCategoryDialog::name() const {
    return m_nameEdit->text().toStdString();
}

std::string NewCategoryDialog::memo() const {
    return m_memoEdit->toPlainText().toStdString();
}

void NewCategoryDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

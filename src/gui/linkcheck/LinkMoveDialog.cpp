#include "gui/linkcheck/LinkMoveDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/items/ItemDialogParts.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"

namespace lh::gui {

LinkMoveDialog::LinkMoveDialog(const commands::ParentChoice& choice, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("linkMoveDialog"));
    setWindowTitle(QStringLiteral("Move to"));
    m_categoryCombo = makeCategoryCombo(choice, this);
    m_newNameEdit = new QLineEdit(this);
    m_newNameEdit->setObjectName(QStringLiteral("newCategoryLineEdit"));
    m_newNameEdit->setPlaceholderText(QStringLiteral("Dead links"));
    const OkCancelRow row = makeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Category"), this));
    layout->addWidget(m_categoryCombo);
    layout->addWidget(new QLabel(QStringLiteral("Or a new category below it, named"), this));
    layout->addWidget(m_newNameEdit);
    layout->addLayout(row.layout);
    resize(320, 160);
}

std::optional<std::uint16_t> LinkMoveDialog::selectedCategoryId() const {
    return m_categoryCombo->selectedCategoryId();
}

std::string LinkMoveDialog::newCategoryName() const {
    return m_newNameEdit->text().toStdString();
}

void LinkMoveDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

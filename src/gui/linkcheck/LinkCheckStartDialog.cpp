#include "gui/linkcheck/LinkCheckStartDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

constexpr int kMostFreshDays = 3650;  // the setting's own limit

}  // namespace

LinkCheckStartDialog::LinkCheckStartDialog(const std::string& categoryName, Choice initial,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("linkCheckStartDialog"));
    setWindowTitle(QStringLiteral("Check Links"));
    auto* name =
        new QLabel(QStringLiteral("Check the links of \"%1\"").arg(toQString(categoryName)), this);
    name->setObjectName(QStringLiteral("categoryLabel"));
    m_subcategoriesBox = new QCheckBox(QStringLiteral("Sub-categories too"), this);
    m_subcategoriesBox->setObjectName(QStringLiteral("subcategoriesCheckBox"));
    m_subcategoriesBox->setChecked(initial.withSubcategories);
    m_freshDaysBox = new QSpinBox(this);
    m_freshDaysBox->setObjectName(QStringLiteral("freshDaysSpinBox"));
    m_freshDaysBox->setRange(0, kMostFreshDays);
    m_freshDaysBox->setValue(initial.freshDays);
    m_freshDaysBox->setSpecialValueText(QStringLiteral("none (check all)"));
    m_privateBox = new QCheckBox(QStringLiteral("Check private and local addresses too"), this);
    m_privateBox->setObjectName(QStringLiteral("privateCheckBox"));
    m_privateBox->setChecked(initial.allowPrivate);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Skip links checked in the last (days):"), m_freshDaysBox);
    const OkCancelRow row = makeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(m_subcategoriesBox);
    layout->addLayout(form);
    layout->addWidget(m_privateBox);
    layout->addLayout(row.layout);
}

LinkCheckStartDialog::Choice LinkCheckStartDialog::choice() const {
    return {m_subcategoriesBox->isChecked(), m_freshDaysBox->value(), m_privateBox->isChecked()};
}

void LinkCheckStartDialog::accept() {
    const Choice chosen = choice();
    QDialog::accept();
    if (m_acceptHandler) {
        m_acceptHandler(chosen);
    }
}

}  // namespace lh::gui

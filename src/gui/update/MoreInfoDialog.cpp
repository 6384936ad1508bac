#include "gui/update/MoreInfoDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lh::gui {

MoreInfoDialog::MoreInfoDialog(const QString& title, const QString& closeText, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("updateTextLabel"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_moreInfo = new QPushButton(QStringLiteral("More Info"), this);
    m_moreInfo->setObjectName(QStringLiteral("moreInfoButton"));
    m_moreInfo->setDefault(true);
    auto* close = new QPushButton(closeText, this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(m_moreInfo, &QPushButton::clicked, this, [this] {
        emit moreInfoRequested();
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_moreInfo);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(360, 120);
}

void MoreInfoDialog::setText(const QString& text) {
    m_text->setText(text);
}

QString MoreInfoDialog::text() const {
    return m_text->text();
}

void MoreInfoDialog::setMoreInfoShown(bool shown) {
    m_moreInfo->setVisible(shown);
}

}  // namespace lh::gui

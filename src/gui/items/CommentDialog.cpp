#include "gui/items/CommentDialog.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/items/ItemDialogParts.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/TabMovesFocus.h"

namespace lh::gui {

CommentDialog::CommentDialog(const std::string& comment, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("commentDialog"));
    setWindowTitle(QStringLiteral("Comment"));
    m_commentEdit = new QPlainTextEdit(toQString(comment), this);
    m_commentEdit->setObjectName(QStringLiteral("commentPlainTextEdit"));
    makeTabMoveFocus(*m_commentEdit);
    const OkCancelRow row = makeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_commentEdit, 1);
    layout->addLayout(row.layout);
    resize(400, 300);
}

std::string CommentDialog::comment() const {
    return m_commentEdit->toPlainText().toStdString();
}

void CommentDialog::focusComment() {
    m_commentEdit->setFocus();
}

void CommentDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

#include "gui/tree/CategoryPropertiesDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/TabMovesFocus.h"

namespace lh::gui {

namespace {

// Ids below this one are the fixed categories, whose names stay.
constexpr std::uint16_t kFirstRenamableId = 3;

QLineEdit* countField(const std::string& text, const char* objectName, QWidget* parent) {
    auto* field = new QLineEdit(toQString(text), parent);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    return field;
}

}  // namespace

CategoryPropertiesDialog::CategoryPropertiesDialog(std::uint16_t categoryId,
                                                   const std::string& name, const std::string& memo,
                                                   const commands::SubtreeCounts& counts,
                                                   QWidget* parent)
    : QDialog(parent), m_categoryId(categoryId) {
    setupUi(name, memo, counts);
}

void CategoryPropertiesDialog::setupUi(const std::string& name, const std::string& memo,
                                       const commands::SubtreeCounts& counts) {
    setObjectName(QStringLiteral("categoryPropertiesDialog"));
    setWindowTitle(QStringLiteral("Properties"));

    m_nameEdit = new QLineEdit(toQString(name), this);
    m_nameEdit->setObjectName(QStringLiteral("nameLineEdit"));
    m_nameEdit->setMaxLength(kNameInputLimit);
    m_nameEdit->setEnabled(m_categoryId >= kFirstRenamableId);
    m_commentEdit = new QPlainTextEdit(toQString(memo), this);
    m_commentEdit->setObjectName(QStringLiteral("commentPlainTextEdit"));
    makeTabMoveFocus(*m_commentEdit);
    limitComment();
    connect(m_commentEdit, &QPlainTextEdit::textChanged, this,
            &CategoryPropertiesDialog::limitComment);

    m_subCategoryEdit = countField(commands::CategoryCommands::formatCount(counts.subCategories),
                                   "subCategoryLineEdit", this);
    m_totalItemsEdit = countField(commands::CategoryCommands::formatCount(counts.totalItems),
                                  "totalItemsLineEdit", this);
    auto* detail = new QGroupBox(QStringLiteral("Detail info"), this);
    detail->setObjectName(QStringLiteral("detailGroupBox"));
    auto* detailLayout = new QFormLayout(detail);
    detailLayout->addRow(QStringLiteral("Sub Category"), m_subCategoryEdit);
    detailLayout->addRow(QStringLiteral("Total Items"), m_totalItemsEdit);

    const OkCancelRow row = makeOkCancelRow(*this);
    m_okButton = row.ok;
    m_cancelButton = row.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Category  Name"), this));
    layout->addWidget(m_nameEdit);
    layout->addWidget(new QLabel(QStringLiteral("Comment"), this));
    layout->addWidget(m_commentEdit, 1);
    layout->addWidget(detail);
    layout->addLayout(row.layout);
    resize(340, 320);
}

void CategoryPropertiesDialog::limitComment() {
    const QString text = m_commentEdit->toPlainText();
    if (text.size() <= kCommentInputLimit) {
        return;
    }
    qsizetype keep = kCommentInputLimit;
    if (text.at(keep).isLowSurrogate()) {
        --keep;  // never split a character
    }
    QTextCursor cursor = m_commentEdit->textCursor();
    cursor.setPosition(static_cast<int>(keep));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_commentEdit->setTextCursor(cursor);
}

std::string CategoryPropertiesDialog::name() const {
    return m_nameEdit->text().toStdString();
}

std::string CategoryPropertiesDialog::comment() const {
    return m_commentEdit->toPlainText().toStdString();
}

void CategoryPropertiesDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui

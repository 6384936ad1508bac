#include "gui/items/ItemDialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/TabMovesFocus.h"

namespace lh::gui {

CategoryComboBox* makeCategoryCombo(const commands::ParentChoice& choice, QWidget* parent) {
    auto* combo = new CategoryComboBox(parent);
    combo->setObjectName(QStringLiteral("categoryComboBox"));
    combo->setChoice(choice);
    return combo;
}

QPlainTextEdit* makeMemoEdit(QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("memoPlainTextEdit"));
    makeTabMoveFocus(*memo);
    return memo;
}

QLabel* makeCreateTimeLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("--:--:--"), parent);
    label->setObjectName(QStringLiteral("createTimeLabel"));
    return label;
}

OkCancelRow makeSaveDefaultRow(QDialog& dialog, std::function<void()> onClick) {
    auto* saveDefault = new QPushButton(QStringLiteral("Save as default"), &dialog);
    saveDefault->setObjectName(QStringLiteral("saveDefaultButton"));
    QObject::connect(saveDefault, &QPushButton::clicked, &dialog, std::move(onClick));
    const OkCancelRow row = makeOkCancelRow(dialog);
    row.layout->insertWidget(0, saveDefault);
    return row;
}

QString formatCreateTime(const store::DateTimeStamp& t) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(t.year)
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

}  // namespace lh::gui

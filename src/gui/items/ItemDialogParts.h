#pragma once

#include <QString>

#include <functional>

#include <string>
#include <string_view>

#include "commands/ParentChooser.h"
#include "gui/uikit/DialogButtons.h"
#include "store/DateTimeStamp.h"

class QDialog;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace lh::gui {

class CategoryComboBox;

// Pieces the item dialogs share.

// The category list ("categoryComboBox") filled from `choice`, its line selected.
CategoryComboBox* makeCategoryCombo(const commands::ParentChoice& choice, QWidget* parent);
// The "Memo" edit ("memoPlainTextEdit").
QPlainTextEdit* makeMemoEdit(QWidget* parent);
// The "Create Time" text ("createTimeLabel"): "--:--:--" until a time is set.
QLabel* makeCreateTimeLabel(QWidget* parent);
// "Save as default" ("saveDefaultButton"), calling `onClick`, in front of OK and Cancel.
OkCancelRow makeSaveDefaultRow(QDialog& dialog, std::function<void()> onClick);
// A create time as the dialogs show it: "2026-03-04 05:06:07".
QString formatCreateTime(const store::DateTimeStamp& t);

}  // namespace lh::gui

#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace lh::gui {

// The "OK" and "Cancel" buttons of a dialog, right-aligned in a row, wired to accept() and
// reject(), named okButton and cancelButton (OK is the default button).
struct OkCancelRow {
    QHBoxLayout* layout;
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancelRow makeOkCancelRow(QDialog& dialog);

}  // namespace lh::gui

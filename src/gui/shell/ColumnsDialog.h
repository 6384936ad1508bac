#pragma once

#include <QDialog>

#include "commands/ColumnsForm.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace lh::gui {

// "Columns..." ("Colume"): the order, visibility and widths of the URL list's columns, edited
// on a copy (ColumnsForm) that layout() gives once OK was pressed.
class ColumnsDialog : public QDialog {
    Q_OBJECT

public:
    explicit ColumnsDialog(const settings::ColumnLayout& layout, QWidget* parent = nullptr);

    // The edited layout, as OK takes it.
    settings::ColumnLayout layout() const;

private:
    void showRows();
    void showButtons();
    void rowChosen(int row);

    commands::ColumnsForm m_form;
    QListWidget* m_list = nullptr;
    QLineEdit* m_width = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_hide = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
};

}  // namespace lh::gui

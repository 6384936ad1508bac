#pragma once

#include <QDialog>

#include <vector>

#include "gui/shell/MainToolbar.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lh::gui {

// Lets the user choose and order the toolbar's buttons from the button table (and separators).
class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT

public:
    ToolbarCustomizeDialog(const std::vector<ToolbarEntry>& current, QWidget* parent = nullptr);

    // The buttons as the user left them.
    std::vector<ToolbarEntry> entries() const;

    // The controls, for keyboard use and tests.
    void addSelected();
    void removeSelected();
    void moveSelected(int step);
    void resetToDefault();

private:
    void fillAvailable();
    static QListWidgetItem* makeItem(const ToolbarEntry& entry);
    void updateButtons();

    QListWidget* m_available;
    QListWidget* m_current;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
};

}  // namespace lh::gui

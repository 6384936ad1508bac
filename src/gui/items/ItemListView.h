#pragma once

#include <QMimeData>
#include <QPoint>
#include <QTreeView>

#include <vector>

#include "gui/items/ItemColumns.h"
#include "store/Kinds.h"

namespace lh::gui {

class ItemListModel;
class StarDelegate;

// The item list: one row per item of the shown category, whole rows selected, several at once.
// It turns the user's keys, clicks and drags into signals (nothing in the quiet categories for
// clicks) and drags the selected rows out as ItemDrag data, to be moved onto a category.
class ItemListView final : public QTreeView {
    Q_OBJECT

public:
    explicit ItemListView(QWidget* parent = nullptr);

    void setItemModel(ItemListModel* model);

    // Sets the columns' widths; the header's resize signals meanwhile are not the user's.
    void setColumnWidths(const std::vector<ListColumn>& columns);
    void setGridLines(bool on);
    bool gridLines() const;

    // The selected rows, ascending.
    std::vector<int> selectedRowNumbers() const;
    // What dragging the selected rows carries (ItemDrag's rows), or null without a category or a
    // selection; the caller owns it.
    QMimeData* selectionMimeData() const;

signals:
    // The user finished resizing column `column` to `width` pixels.
    void columnResized(int column, int width);
    // Delete; `permanent` with Shift.
    void deleteRequested(bool permanent);
    // Double click with a selection: the first selected row's item.
    void itemActivated(store::ItemId item);
    // Right click with a selection, at `globalPos`.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // A category is shown and it is not one of the quiet ones.
    bool takesClicks() const;

    ItemListModel* m_model = nullptr;
    StarDelegate* m_delegate = nullptr;
    bool m_settingWidths = false;
};

}  // namespace lh::gui

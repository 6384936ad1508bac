#pragma once

#include <QPersistentModelIndex>
#include <QPixmap>
#include <QTreeView>

#include <cstdint>
#include <optional>

class QMenu;

namespace lh::gui {

class CategoryTreeModel;

// The category tree on screen: the tree's context menu (acting on the category under the mouse,
// without changing the selection), keyboard access to it, the drop of item rows dragged out of
// the item list, and an optional tiled background picture. The context menu starts empty: the
// tree's commands (CategoryActions) fill it and enable its entries as it is about to show.
class CategoryTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit CategoryTreeView(CategoryTreeModel& model, QWidget* parent = nullptr);

    QMenu* contextMenu() const { return m_menu; }
    // The category under the mouse at the last right click, if there was one.
    std::optional<std::uint16_t> clickedCategoryId() const { return m_clickedId; }
    void clearClickedCategory() { m_clickedId.reset(); }
    void setClickedCategory(std::uint16_t id) { m_clickedId = id; }
    // True for the row the open context menu acts on: it is outlined, so that the user sees which
    // row that is while the selection stays elsewhere.
    bool marksAsClicked(const QModelIndex& index) const;
    // Remembers the category at `viewportPos` as the clicked one and, when there is one, pops
    // the context menu up there. Returns whether it showed.
    bool openContextMenuAt(const QPoint& viewportPos);
    // The category under a pending drop, if any (drawn highlighted).
    std::optional<std::uint16_t> dropTargetId() const;

    // Closes category `id` and every open category below it, before their rows go: the view
    // keeps each open row as a persistent index, and a removal of rows looks at every such index
    // and at each of its parents (a 10,000-deep open chain would take seconds).
    void closeBranch(std::uint16_t id);

    // Tiles the picture in `fileName` behind the tree, scrolling with it. An empty name or a
    // picture that does not load removes the background and returns false.
    bool setBackground(const QString& fileName);
    bool hasBackground() const { return !m_background.isNull(); }

signals:
    // F2 was pressed on category `categoryId`, now the clicked one: show its properties.
    void propertiesRequested(quint16 categoryId);
    // Delete or Insert was pressed on category `categoryId`, now the clicked one: delete it, or
    // create a category below it.
    void deleteRequested(quint16 categoryId);
    void newCategoryRequested(quint16 categoryId);
    // The items `itemIds` (dragged out of the item list) were dropped on category
    // `targetCategoryId`, as a move.
    void itemsDropped(quint16 targetCategoryId, const QList<quint32>& itemIds);

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                 const QModelIndex& index) const override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The category the dragged rows may be dropped on at `pos`, or nothing.
    // `expand` opens a category whose expand button lies under `pos`.
    std::optional<std::uint16_t> dropTargetAt(const QDropEvent& event, bool expand);
    bool onExpandButton(const QModelIndex& index, const QPoint& pos) const;
    void setDropHighlight(const QModelIndex& index);
    void placeBackground();

    CategoryTreeModel& m_model;
    QMenu* m_menu = nullptr;
    std::optional<std::uint16_t> m_clickedId;
    QPersistentModelIndex m_dropHighlight;
    QPixmap m_background;
};

}  // namespace lh::gui

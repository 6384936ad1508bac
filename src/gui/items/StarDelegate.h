#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include <vector>

namespace lh::gui {

// One star of a rate cell: its left edge and whether it is full.
struct StarSpot {
    int left = 0;
    bool full = false;
    bool operator==(const StarSpot&) const = default;
};

// Paints the item list's cells: the rate column's stars (from ItemListModel::kStarsRole) and,
// when asked, grid lines along each cell's right and bottom edges.
class StarDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit StarDelegate(QObject* parent = nullptr);

    // Up to five stars 14 pixels apart from `left`, the first `fullStars` full; a star goes only
    // while it ends before `right` (a cell's right edge).
    static std::vector<StarSpot> starSpots(int left, int right, int fullStars);

    void setGridLines(bool on) { m_gridLines = on; }
    bool gridLines() const { return m_gridLines; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QPixmap m_fullStar;
    QPixmap m_emptyStar;
    bool m_gridLines = false;
};

}  // namespace lh::gui

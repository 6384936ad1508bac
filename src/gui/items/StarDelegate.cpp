#include "gui/items/StarDelegate.h"

#include <QPainter>

#include "gui/items/ItemListModel.h"
#include "gui/items/ItemPictures.h"

namespace lh::gui {

namespace {

constexpr int kMostStars = 5;

}  // namespace

StarDelegate::StarDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_fullStar(starPixmap(true)), m_emptyStar(starPixmap(false)) {}

std::vector<StarSpot> StarDelegate::starSpots(int left, int right, int fullStars) {
    std::vector<StarSpot> spots;
    for (int i = 0; i < kMostStars && left + kStarSize < right; ++i, left += kStarSize) {
        spots.push_back({left, i < fullStars});
    }
    return spots;
}

void StarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant stars = index.data(ItemListModel::kStarsRole);
    const QRect cell = option.rect;
    if (stars.isValid()) {
        const int top = cell.top() + std::max(0, (cell.height() - kStarSize) / 2);
        for (const StarSpot& spot : starSpots(cell.left(), cell.right() + 1, stars.toInt())) {
            painter->drawPixmap(spot.left, top, spot.full ? m_fullStar : m_emptyStar);
        }
    }
    if (m_gridLines) {
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
}

}  // namespace lh::gui

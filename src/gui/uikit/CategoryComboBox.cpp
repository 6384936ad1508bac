#include "gui/uikit/CategoryComboBox.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

namespace lh::gui {

namespace {

// Draws each line of the open list shifted right by its level.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static int indentOf(const QModelIndex& index) {
        return CategoryComboBox::kIndentPerLevel *
               (index.data(CategoryComboBox::kLevelRole).toInt() + 1);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(shifted.rect.left() + indentOf(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += indentOf(index);
        return size;
    }
};

}  // namespace

CategoryComboBox::CategoryComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new IndentingDelegate(this));
    setIconSize(QSize(16, 16));
}

void CategoryComboBox::addCategory(std::uint16_t id, const QString& name, int level,
                                   const QIcon& icon) {
    addItem(icon, name);
    const int line = count() - 1;
    setItemData(line, static_cast<int>(id), kIdRole);
    setItemData(line, level, kLevelRole);
}

std::optional<std::uint16_t> CategoryComboBox::selectedCategoryId() const {
    const int line = currentIndex();
    if (line < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(itemData(line, kIdRole).toUInt());
}

int CategoryComboBox::lineOf(std::uint16_t id) const {
    return findData(static_cast<int>(id), kIdRole);
}

}  // namespace lh::gui

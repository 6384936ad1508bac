#include "gui/uikit/CategoryComboBox.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <vector>

#include "gui/uikit/CategoryIcons.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

constexpr int kLinesPerBatch = 100;

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

// The lines of the box, read-only: filled in one go rather than an item and its data at a time.
class CategoryLines final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(std::vector<commands::ChooserEntry> entries) {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_entries.size()) {
            return {};
        }
        const commands::ChooserEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return toQString(entry.name);
            case Qt::DecorationRole:
                return categoryIcon(entry.id, entry.flags);
            case CategoryComboBox::kIdRole:
                return static_cast<int>(entry.id);
            case CategoryComboBox::kLevelRole:
                return static_cast<int>(entry.depth);
            default:
                return {};
        }
    }

private:
    std::vector<commands::ChooserEntry> m_entries;
};

}  // namespace

CategoryComboBox::CategoryComboBox(QWidget* parent) : QComboBox(parent) {
    setModel(new CategoryLines(this));
    setItemDelegate(new IndentingDelegate(this));
    setIconSize(QSize(16, 16));
    // Measuring every line for the box's width would take long with thousands of them.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(kShownCharacters);
    // The open list lays its lines out a batch at a time, letting the event loop run between.
    if (auto* list = qobject_cast<QListView*>(view())) {
        list->setLayoutMode(QListView::Batched);
        list->setBatchSize(kLinesPerBatch);
    }
}

void CategoryComboBox::setChoice(const commands::ParentChoice& choice) {
    static_cast<CategoryLines*>(model())->setEntries(choice.entries);
    setCurrentIndex(choice.selected);
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

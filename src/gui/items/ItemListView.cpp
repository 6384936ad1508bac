#include "gui/items/ItemListView.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

#include "gui/items/ItemDrag.h"
#include "gui/items/ItemListModel.h"
#include "gui/items/StarDelegate.h"
#include "items/ItemKind.h"
#include "store/ItemRecord.h"

namespace lh::gui {

ItemListView::ItemListView(QWidget* parent)
    : QTreeView(parent), m_delegate(new StarDelegate(this)) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::MoveAction);
    setItemDelegate(m_delegate);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_settingWidths) {
            emit columnResized(column, width);
        }
    });
}

void ItemListView::setItemModel(ItemListModel* model) {
    m_model = model;
    setModel(model);
}

void ItemListView::setColumnWidths(const std::vector<ListColumn>& columns) {
    m_settingWidths = true;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        setColumnWidth(static_cast<int>(i), columns[i].width);
    }
    m_settingWidths = false;
}

void ItemListView::setGridLines(bool on) {
    m_delegate->setGridLines(on);
    viewport()->update();
}

bool ItemListView::gridLines() const {
    return m_delegate->gridLines();
}

std::vector<int> ItemListView::selectedRowNumbers() const {
    std::vector<int> rows;
    if (selectionModel() == nullptr) {
        return rows;
    }
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool ItemListView::takesClicks() const {
    return m_model != nullptr && m_model->category() &&
           !items::isQuietCategory(*m_model->category());
}

void ItemListView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        setFocus();
    } else if (event->key() == Qt::Key_Delete) {
        emit deleteRequested((event->modifiers() & Qt::ShiftModifier) != 0);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ItemListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    const std::vector<int> rows = selectedRowNumbers();
    if (!takesClicks() || rows.empty()) {
        return;
    }
    if (const store::ItemRecord* item = m_model->recordAt(rows.front())) {
        emit itemActivated(item->id());
    }
}

void ItemListView::contextMenuEvent(QContextMenuEvent* event) {
    if (takesClicks() && !selectedRowNumbers().empty()) {
        emit contextMenuRequested(event->globalPos());
    }
    event->accept();
}

void ItemListView::startDrag(Qt::DropActions supportedActions) {
    (void)supportedActions;
    if (m_model == nullptr || !m_model->category()) {
        return;
    }
    DraggedItems dragged{*m_model->category(), {}};
    for (int row : selectedRowNumbers()) {
        if (const store::ItemRecord* item = m_model->recordAt(row)) {
            dragged.itemIds.push_back(item->id());
        }
    }
    if (dragged.itemIds.empty()) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(createItemRowsMimeData(dragged));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

}  // namespace lh::gui

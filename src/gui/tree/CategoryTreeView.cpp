#include "gui/tree/CategoryTreeView.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "commands/CategoryMenus.h"
#include "gui/items/ItemDrag.h"
#include "gui/tree/CategoryTreeModel.h"
#include "store/Database.h"

namespace lh::gui {

CategoryTreeView::CategoryTreeView(CategoryTreeModel& model, QWidget* parent)
    : QTreeView(parent), m_model(model) {
    setObjectName(QStringLiteral("categoryTreeView"));
    setModel(&model);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setIconSize(QSize(16, 16));
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("categoryContextMenu"));
    // The outline of the clicked row goes with the menu.
    connect(m_menu, &QMenu::aboutToHide, viewport(), qOverload<>(&QWidget::update));
}

void CategoryTreeView::closeBranch(std::uint16_t id) {
    std::vector<QModelIndex> open;
    for (const std::uint16_t below : m_model.shownSubtree(id)) {
        const QModelIndex index = m_model.indexOf(below);
        if (isExpanded(index)) {
            open.push_back(index);
        }
    }
    if (open.empty()) {
        return;
    }
    // With a layout pending, collapse() only forgets the row is open instead of taking the rows
    // below it out of the laid-out rows one at a time; the layout follows once.
    scheduleDelayedItemsLayout();
    for (const QModelIndex& index : open) {
        collapse(index);
    }
}

bool CategoryTreeView::marksAsClicked(const QModelIndex& index) const {
    return m_menu->isVisible() && m_clickedId && index.isValid() &&
           CategoryTreeModel::categoryIdOf(index) == m_clickedId;
}

// --- Context menu and keyboard -----------------------------------------------------------------

bool CategoryTreeView::openContextMenuAt(const QPoint& viewportPos) {
    const QModelIndex index = indexAt(viewportPos);
    m_clickedId.reset();
    if (m_model.categoryAt(index) != nullptr) {
        m_clickedId = CategoryTreeModel::categoryIdOf(index);
    }
    if (!m_clickedId) {
        return false;
    }
    m_menu->popup(viewport()->mapToGlobal(viewportPos));
    viewport()->update();  // the menu is shown now: outline the row it acts on
    return true;
}

void CategoryTreeView::contextMenuEvent(QContextMenuEvent* event) {
    QPoint pos = event->pos();  // viewport coordinates for the mouse
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QModelIndex current = currentIndex();
        if (!current.isValid()) {
            return;
        }
        scrollTo(current);
        pos = visualRect(current).center();
    }
    openContextMenuAt(pos);
    event->accept();
}

void CategoryTreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();  // the context menu acts on the item under the mouse, not the selection
        return;
    }
    QTreeView::mousePressEvent(event);
}

void CategoryTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

bool CategoryTreeView::event(QEvent* event) {
    // The tree's own Delete and Insert come before any window shortcut on those keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Insert) &&
            key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QTreeView::event(event);
}

void CategoryTreeView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        if (m_model.categoryAt(current) != nullptr) {
            m_clickedId = CategoryTreeModel::categoryIdOf(current);
            emit propertiesRequested(*m_clickedId);
        }
        event->accept();
        return;
    }
    // Delete and Insert act as the context menu's Delete and New Category on the current row.
    const bool deleteKey = event->key() == Qt::Key_Delete;
    if ((deleteKey || event->key() == Qt::Key_Insert) && event->modifiers() == Qt::NoModifier) {
        if (m_model.categoryAt(current) != nullptr) {
            m_clickedId = CategoryTreeModel::categoryIdOf(current);
            if (deleteKey) {
                emit deleteRequested(*m_clickedId);
            } else {
                emit newCategoryRequested(*m_clickedId);
            }
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        if (current.isValid()) {
            scrollTo(current);
            openContextMenuAt(visualRect(current).center());
        }
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

// --- Dropping item rows ------------------------------------------------------------------------

bool CategoryTreeView::onExpandButton(const QModelIndex& index, const QPoint& pos) const {
    const QRect rect = visualRect(index);
    return m_model.rowCount(index) > 0 && pos.y() >= rect.top() && pos.y() <= rect.bottom() &&
           pos.x() < rect.left() && pos.x() >= rect.left() - indentation();
}

void CategoryTreeView::setDropHighlight(const QModelIndex& index) {
    if (m_dropHighlight == index) {
        return;
    }
    m_dropHighlight = index;
    viewport()->update();
}

std::optional<std::uint16_t> CategoryTreeView::dropTargetId() const {
    return CategoryTreeModel::categoryIdOf(m_dropHighlight);
}

std::optional<std::uint16_t> CategoryTreeView::dropTargetAt(const QDropEvent& event, bool expand) {
    const QPoint pos = event.position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        setDropHighlight({});
        return std::nullopt;
    }
    if (expand && onExpandButton(index, pos)) {
        QTreeView::expand(index);
    }
    setDropHighlight(index);
    const auto rows = itemRowsFrom(event.mimeData());
    const store::CategoryRecord* target = m_model.categoryAt(index);
    if (!rows || target == nullptr || !(event.possibleActions() & Qt::MoveAction)) {
        return std::nullopt;
    }
    const store::CategoryRecord* source = m_model.database().findCategory(rows->sourceCategoryId);
    const auto selected = CategoryTreeModel::categoryIdOf(currentIndex());
    const bool copy = (event.modifiers() & Qt::ControlModifier) != 0;
    if (source == nullptr || (selected && *selected == target->id()) ||
        !commands::acceptsItemDrop(*target, *source, copy)) {
        return std::nullopt;
    }
    return target->id();
}

void CategoryTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (!itemRowsFrom(event->mimeData())) {
        event->ignore();  // only rows of our own item list
        return;
    }
    const bool copy = (event->modifiers() & Qt::ControlModifier) != 0;
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    setState(DraggingState);
}

void CategoryTreeView::dragMoveEvent(QDragMoveEvent* event) {
    QTreeView::dragMoveEvent(event);  // scrolls near the edges
    if (dropTargetAt(*event, true)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CategoryTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropHighlight({});
    QTreeView::dragLeaveEvent(event);
}

void CategoryTreeView::dropEvent(QDropEvent* event) {
    const auto target = dropTargetAt(*event, false);
    setDropHighlight({});
    stopAutoScroll();
    setState(NoState);
    if (!target) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    const auto items = itemRowsFrom(event->mimeData());
    emit itemsDropped(*target, QList<quint32>(items->itemIds.begin(), items->itemIds.end()));
}

void CategoryTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                               const QModelIndex& index) const {
    if (m_dropHighlight.isValid() && index == m_dropHighlight) {
        QStyleOptionViewItem highlighted(options);
        highlighted.state |= QStyle::State_Selected;
        QTreeView::drawRow(painter, highlighted, index);
        return;
    }
    QTreeView::drawRow(painter, options, index);
    if (marksAsClicked(index)) {
        painter->save();
        painter->setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(options.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

// --- Background picture ------------------------------------------------------------------------

bool CategoryTreeView::setBackground(const QString& fileName) {
    m_background = QPixmap();
    if (!fileName.isEmpty()) {
        m_background.load(fileName);
    }
    if (m_background.isNull()) {
        viewport()->setPalette(QPalette());
        viewport()->update();
        return false;
    }
    placeBackground();
    return true;
}

void CategoryTreeView::placeBackground() {
    // Tiled from the top left corner of the whole tree, so it moves when the tree scrolls.
    const int x = horizontalScrollBar()->value() % m_background.width();
    const int y = verticalScrollBar()->value() % m_background.height();
    QBrush brush(m_background);
    brush.setTransform(QTransform::fromTranslate(-x, -y));
    QPalette palette = viewport()->palette();
    palette.setBrush(QPalette::Base, brush);
    viewport()->setPalette(palette);
    viewport()->update();
}

void CategoryTreeView::scrollContentsBy(int dx, int dy) {
    QTreeView::scrollContentsBy(dx, dy);
    if (hasBackground()) {
        placeBackground();
    }
}

}  // namespace lh::gui

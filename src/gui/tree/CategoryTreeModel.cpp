#include "gui/tree/CategoryTreeModel.h"

#include "gui/uikit/CategoryIcons.h"
#include "gui/uikit/MenuText.h"
#include "gui/uikit/QtText.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::gui {

using store::CategoryId;
using store::CategoryRecord;

CategoryTreeModel::CategoryTreeModel(store::Database& db, QObject* parent)
    : QAbstractItemModel(parent), m_db(db) {}

// --- The mirrored shape ------------------------------------------------------------------------

const CategoryTreeModel::Node* CategoryTreeModel::shownNode(CategoryId id) const {
    if (id >= m_nodes.size() || !m_nodes[id].shown) {
        return nullptr;
    }
    return &m_nodes[id];
}

CategoryTreeModel::Node& CategoryTreeModel::nodeFor(CategoryId id) {
    if (id >= m_nodes.size()) {
        m_nodes.resize(std::max<std::size_t>(id + 1u, m_db.nextCategoryId()));
    }
    return m_nodes[id];
}

void CategoryTreeModel::renumber(CategoryId parent, int from) {
    const std::vector<CategoryId>& children = m_nodes[parent].children;
    for (std::size_t i = static_cast<std::size_t>(from); i < children.size(); ++i) {
        m_nodes[children[i]].row = static_cast<int>(i);
    }
}

void CategoryTreeModel::attach(CategoryId id, CategoryId parent, int row) {
    nodeFor(id);
    nodeFor(parent);
    Node& node = m_nodes[id];
    node.shown = true;
    node.parent = parent;
    std::vector<CategoryId>& siblings = m_nodes[parent].children;
    siblings.insert(siblings.begin() + row, id);
    renumber(parent, row);
}

void CategoryTreeModel::attachBelow(const CategoryRecord& top, std::vector<CategoryId>* expanded) {
    // Pre-order, so that each category comes after its parent and its earlier siblings.
    store::walkDescendants(top, [&](const CategoryRecord& c) {
        const CategoryId parent = c.parent()->id();
        attach(c.id(), parent, static_cast<int>(nodeFor(parent).children.size()));
        if (expanded != nullptr && c.showsExpanded()) {
            expanded->push_back(c.id());
        }
        return false;
    });
}

std::vector<CategoryId> CategoryTreeModel::takeRows(const store::CategoryRows& rows) {
    std::vector<CategoryId>& siblings = m_nodes[rows.parent].children;
    const auto first = siblings.begin() + rows.first;
    const auto last = siblings.begin() + rows.last + 1;
    std::vector<CategoryId> taken(first, last);
    siblings.erase(first, last);
    renumber(rows.parent, int(rows.first));
    return taken;
}

void CategoryTreeModel::dropShape(CategoryId id) {
    std::vector<CategoryId> stack{id};
    while (!stack.empty()) {
        Node& node = m_nodes[stack.back()];
        stack.pop_back();
        stack.insert(stack.end(), node.children.begin(), node.children.end());
        node.children.clear();
        node.shown = false;
    }
}

// --- Changes with their signals ----------------------------------------------------------------

std::vector<CategoryId> CategoryTreeModel::rebuild() {
    beginResetModel();
    m_nodes.clear();
    m_rootId.reset();
    std::vector<CategoryId> expanded;
    if (const CategoryRecord* root = m_db.root()) {
        m_rootId = root->id();
        Node& node = nodeFor(root->id());
        node.shown = true;
        node.parent = root->id();
        node.row = 0;
        if (root->showsExpanded()) {
            expanded.push_back(root->id());
        }
        attachBelow(*root, &expanded);
    }
    endResetModel();
    return expanded;
}

void CategoryTreeModel::clear() {
    beginResetModel();
    m_nodes.clear();
    m_rootId.reset();
    endResetModel();
}

void CategoryTreeModel::beginInsert(const store::CategoryRows& rows) {
    m_changing = contains(rows.parent);
    if (m_changing) {
        beginInsertRows(indexOf(rows.parent), int(rows.first), int(rows.last));
    }
}

void CategoryTreeModel::endInsert(const store::CategoryRows& rows) {
    if (!m_changing) {
        return;
    }
    // The new categories stand at their rows below the parent now; find the first from the
    // nearer end of the siblings (new categories are usually the last ones).
    const CategoryRecord* parent = m_db.findCategory(rows.parent);
    const CategoryRecord* c = parent->lastChild();
    for (std::uint32_t row = parent->childCount() - 1; row > rows.first; --row) {
        c = c->backLink();
    }
    // New ids have no shape yet: a removed category's id is not given out again before a load.
    for (std::uint32_t row = rows.first; row <= rows.last; ++row, c = c->nextSibling()) {
        attach(c->id(), rows.parent, int(row));
        attachBelow(*c, nullptr);
    }
    m_changing = false;
    endInsertRows();
}

void CategoryTreeModel::beginMove(const store::CategoryRows& rows, CategoryId toParent,
                                  std::uint32_t toRow) {
    m_changing = contains(rows.parent) && contains(toParent) &&
                 beginMoveRows(indexOf(rows.parent), int(rows.first), int(rows.last),
                               indexOf(toParent), int(toRow));
}

void CategoryTreeModel::endMove(const store::CategoryRows& rows, CategoryId toParent,
                                std::uint32_t toRow) {
    if (!m_changing) {
        return;
    }
    const std::vector<CategoryId> moved = takeRows(rows);
    int row = int(toRow);
    if (toParent == rows.parent && toRow > rows.first) {
        row -= int(moved.size());  // the destination was counted with the rows still in place
    }
    for (CategoryId id : moved) {
        attach(id, toParent, row++);
    }
    m_changing = false;
    endMoveRows();
}

void CategoryTreeModel::beginRemove(const store::CategoryRows& rows) {
    m_changing = contains(rows.parent);
    if (m_changing) {
        beginRemoveRows(indexOf(rows.parent), int(rows.first), int(rows.last));
    }
}

void CategoryTreeModel::endRemove(const store::CategoryRows& rows) {
    if (!m_changing) {
        return;
    }
    for (CategoryId id : takeRows(rows)) {
        dropShape(id);
    }
    m_changing = false;
    endRemoveRows();
}

void CategoryTreeModel::categoryChanged(CategoryId id) {
    const QModelIndex index = indexOf(id);
    if (index.isValid()) {
        emit dataChanged(index, index);
    }
}

// --- Queries ---------------------------------------------------------------------------------

bool CategoryTreeModel::contains(CategoryId id) const {
    return shownNode(id) != nullptr;
}

QModelIndex CategoryTreeModel::indexOf(CategoryId id) const {
    const Node* node = shownNode(id);
    if (node == nullptr) {
        return {};
    }
    return createIndex(m_rootId == id ? 0 : node->row, 0, static_cast<quintptr>(id));
}

std::optional<CategoryId> CategoryTreeModel::parentOf(CategoryId id) const {
    const Node* node = shownNode(id);
    if (node == nullptr || m_rootId == id) {
        return std::nullopt;
    }
    return node->parent;
}

bool CategoryTreeModel::isSameOrBelow(CategoryId id, CategoryId ancestor) const {
    std::optional<CategoryId> at = id;
    if (shownNode(id) == nullptr) {
        return false;
    }
    while (at) {
        if (*at == ancestor) {
            return true;
        }
        at = parentOf(*at);
    }
    return false;
}

std::vector<CategoryId> CategoryTreeModel::shownSubtree(CategoryId id) const {
    std::vector<CategoryId> subtree;
    if (shownNode(id) == nullptr) {
        return subtree;
    }
    std::vector<CategoryId> stack{id};
    while (!stack.empty()) {
        const CategoryId at = stack.back();
        stack.pop_back();
        subtree.push_back(at);
        const std::vector<CategoryId>& children = m_nodes[at].children;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return subtree;
}

std::optional<CategoryId> CategoryTreeModel::childAt(CategoryId parent, std::uint32_t row) const {
    const Node* node = shownNode(parent);
    if (node == nullptr || row >= node->children.size()) {
        return std::nullopt;
    }
    return node->children[row];
}

std::optional<CategoryId> CategoryTreeModel::categoryIdOf(const QModelIndex& index) {
    if (!index.isValid()) {
        return std::nullopt;
    }
    return static_cast<CategoryId>(index.internalId());
}

const CategoryRecord* CategoryTreeModel::categoryAt(const QModelIndex& index) const {
    const auto id = categoryIdOf(index);
    return id && contains(*id) ? m_db.findCategory(*id) : nullptr;
}

// --- QAbstractItemModel ----------------------------------------------------------------------

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0) {
        return {};
    }
    if (!parent.isValid()) {
        return row == 0 && m_rootId ? indexOf(*m_rootId) : QModelIndex();
    }
    const Node* node = shownNode(static_cast<CategoryId>(parent.internalId()));
    if (node == nullptr || parent.column() != 0 ||
        static_cast<std::size_t>(row) >= node->children.size()) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(node->children[row]));
}

QModelIndex CategoryTreeModel::parent(const QModelIndex& child) const {
    const auto id = categoryIdOf(child);
    if (!id) {
        return {};
    }
    const auto parentId = parentOf(*id);
    return parentId ? indexOf(*parentId) : QModelIndex();
}

int CategoryTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return m_rootId ? 1 : 0;
    }
    const Node* node = shownNode(static_cast<CategoryId>(parent.internalId()));
    if (node == nullptr || parent.column() != 0) {
        return 0;
    }
    return static_cast<int>(node->children.size());
}

int CategoryTreeModel::columnCount(const QModelIndex& parent) const {
    (void)parent;
    return 1;
}

QVariant CategoryTreeModel::data(const QModelIndex& index, int role) const {
    const CategoryRecord* category = categoryAt(index);
    if (category == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return toQString(category->name());
        case Qt::ToolTipRole:  // the pane may be too narrow for the whole name
            return plainToolTip(toQString(category->name()));
        case Qt::DecorationRole:
            return categoryIcon(category->id(), category->flags());
        case kCategoryIdRole:
            return static_cast<int>(category->id());
        default:
            return {};
    }
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}

}  // namespace lh::gui

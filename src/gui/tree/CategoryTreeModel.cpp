#include "gui/tree/CategoryTreeModel.h"

#include "gui/uikit/CategoryIcons.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "tree/CategoryIcon.h"

namespace lh::gui {

using store::CategoryRecord;

CategoryTreeModel::CategoryTreeModel(store::Database& db, QObject* parent)
    : QAbstractItemModel(parent), m_db(db) {}

// --- The mirrored shape ------------------------------------------------------------------------

const CategoryTreeModel::Node* CategoryTreeModel::shownNode(std::uint16_t id) const {
    if (id >= m_nodes.size() || !m_nodes[id].shown) {
        return nullptr;
    }
    return &m_nodes[id];
}

CategoryTreeModel::Node& CategoryTreeModel::nodeFor(std::uint16_t id) {
    if (id >= m_nodes.size()) {
        m_nodes.resize(std::max<std::size_t>(id + 1u, m_db.nextCategoryId()));
    }
    return m_nodes[id];
}

void CategoryTreeModel::renumber(std::uint16_t parent, int from) {
    const std::vector<std::uint16_t>& children = m_nodes[parent].children;
    for (std::size_t i = static_cast<std::size_t>(from); i < children.size(); ++i) {
        m_nodes[children[i]].row = static_cast<int>(i);
    }
}

void CategoryTreeModel::attach(std::uint16_t id, std::uint16_t parent, int row) {
    nodeFor(id);
    nodeFor(parent);
    Node& node = m_nodes[id];
    node.shown = true;
    node.parent = parent;
    std::vector<std::uint16_t>& siblings = m_nodes[parent].children;
    siblings.insert(siblings.begin() + row, id);
    renumber(parent, row);
}

void CategoryTreeModel::detach(std::uint16_t id) {
    const Node& node = m_nodes[id];
    std::vector<std::uint16_t>& siblings = m_nodes[node.parent].children;
    const int row = node.row;
    siblings.erase(siblings.begin() + row);
    renumber(node.parent, row);
}

void CategoryTreeModel::addShape(const CategoryRecord& top, int row) {
    attach(top.id, top.parent->id, row);
    m_nodes[top.id].children.clear();
    // Pre-order, so that each category comes after its parent and its earlier siblings. A
    // category already shown elsewhere stays there with everything below it (synchronize()
    // moves it).
    std::vector<const CategoryRecord*> stack;
    if (top.firstChild != nullptr) {
        stack.push_back(top.firstChild);
    }
    while (!stack.empty()) {
        const CategoryRecord* c = stack.back();
        stack.pop_back();
        if (c->nextSibling != nullptr) {
            stack.push_back(c->nextSibling);
        }
        if (shownNode(c->id) != nullptr) {
            continue;
        }
        const std::uint16_t parent = c->parent->id;
        attach(c->id, parent, static_cast<int>(nodeFor(parent).children.size()));
        m_nodes[c->id].children.clear();
        if (c->firstChild != nullptr) {
            stack.push_back(c->firstChild);
        }
    }
}

void CategoryTreeModel::dropShape(std::uint16_t id) {
    std::vector<std::uint16_t> stack{id};
    while (!stack.empty()) {
        Node& node = m_nodes[stack.back()];
        stack.pop_back();
        stack.insert(stack.end(), node.children.begin(), node.children.end());
        node.children.clear();
        node.shown = false;
    }
}

int CategoryTreeModel::rowFor(const CategoryRecord& category) const {
    const std::uint16_t parent = category.parent->id;
    if (category.nextSibling == nullptr) {
        // The usual case: categories are added and moved as last children.
        int row = static_cast<int>(m_nodes[parent].children.size());
        const Node* self = shownNode(category.id);
        if (self != nullptr && self->parent == parent) {
            --row;
        }
        return row;
    }
    int row = 0;
    for (const CategoryRecord* c = category.parent->firstChild; c != &category;
         c = c->nextSibling) {
        const Node* node = shownNode(c->id);
        if (node != nullptr && node->parent == parent) {
            ++row;
        }
    }
    return row;
}

// --- Changes with their signals ----------------------------------------------------------------

std::vector<std::uint16_t> CategoryTreeModel::rebuild() {
    beginResetModel();
    m_nodes.clear();
    m_rootId.reset();
    std::vector<std::uint16_t> expanded;
    if (CategoryRecord* root = m_db.root()) {
        m_rootId = root->id;
        Node& node = nodeFor(root->id);
        node.shown = true;
        node.parent = root->id;
        node.row = 0;
        if ((root->flags & store::kExpandedMask) != 0) {
            expanded.push_back(root->id);
        }
        store::walkDescendants(*root, [&](const CategoryRecord& c) {
            attach(c.id, c.parent->id, static_cast<int>(nodeFor(c.parent->id).children.size()));
            if ((c.flags & store::kExpandedMask) != 0) {
                expanded.push_back(c.id);
            }
            return false;
        });
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

void CategoryTreeModel::insertShown(const CategoryRecord& category, int row) {
    beginInsertRows(indexOf(category.parent->id), row, row);
    addShape(category, row);
    endInsertRows();
}

void CategoryTreeModel::moveShown(std::uint16_t id, std::uint16_t newParent, int destinationRow) {
    const Node& node = m_nodes[id];
    const std::uint16_t oldParent = node.parent;
    const int sourceRow = node.row;
    if (!beginMoveRows(indexOf(oldParent), sourceRow, sourceRow, indexOf(newParent),
                       destinationRow)) {
        return;  // already there
    }
    detach(id);
    int row = destinationRow;
    if (oldParent == newParent && destinationRow > sourceRow) {
        --row;
    }
    attach(id, newParent, row);
    endMoveRows();
}

bool CategoryTreeModel::insertCategory(const CategoryRecord& category) {
    if (category.parent == nullptr || shownNode(category.parent->id) == nullptr) {
        return false;
    }
    if (shownNode(category.id) != nullptr) {
        return moveCategory(category);
    }
    insertShown(category, rowFor(category));
    return true;
}

bool CategoryTreeModel::moveCategory(const CategoryRecord& category) {
    const Node* node = shownNode(category.id);
    if (node == nullptr) {
        return insertCategory(category);
    }
    if (category.parent == nullptr || shownNode(category.parent->id) == nullptr ||
        isSameOrBelow(category.parent->id, category.id)) {
        return false;
    }
    const std::uint16_t newParent = category.parent->id;
    int row = rowFor(category);
    if (node->parent == newParent && row >= node->row) {
        ++row;  // beginMoveRows counts the destination before the row leaves
    }
    moveShown(category.id, newParent, row);
    return true;
}

void CategoryTreeModel::removeCategory(std::uint16_t id) {
    const Node* node = shownNode(id);
    if (node == nullptr) {
        return;
    }
    if (m_rootId == id) {
        clear();
        return;
    }
    const std::uint16_t parent = node->parent;
    const int row = node->row;
    beginRemoveRows(indexOf(parent), row, row);
    detach(id);
    dropShape(id);
    endRemoveRows();
}

void CategoryTreeModel::categoryChanged(std::uint16_t id) {
    const QModelIndex index = indexOf(id);
    if (index.isValid()) {
        emit dataChanged(index, index);
    }
}

void CategoryTreeModel::synchronize() {
    CategoryRecord* root = m_db.root();
    if (root == nullptr || m_rootId != root->id) {
        rebuild();
        return;
    }
    // Rows whose category is gone.
    for (std::size_t id = 0; id < m_nodes.size(); ++id) {
        const auto shownId = static_cast<std::uint16_t>(id);
        if (m_nodes[id].shown && shownId != *m_rootId && m_db.findCategory(shownId) == nullptr) {
            removeCategory(shownId);
        }
    }
    // New and moved categories, parent by parent.
    std::vector<const CategoryRecord*> stack{root};
    while (!stack.empty()) {
        const CategoryRecord* parent = stack.back();
        stack.pop_back();
        int row = 0;
        for (const CategoryRecord* c = parent->firstChild; c != nullptr; c = c->nextSibling) {
            const Node* node = shownNode(c->id);
            if (node == nullptr) {
                insertShown(*c, row);
            } else if (node->parent != parent->id) {
                moveShown(c->id, parent->id, row);
            }
            row = m_nodes[c->id].row + 1;
            stack.push_back(c);
        }
    }
    if (!matchesDatabase()) {
        rebuild();  // a tangle of moves the rows could not follow one by one
    }
}

bool CategoryTreeModel::matchesDatabase() const {
    for (std::size_t id = 0; id < m_nodes.size(); ++id) {
        if (!m_nodes[id].shown || m_rootId == id) {
            continue;
        }
        const CategoryRecord* c = m_db.findCategory(static_cast<std::uint16_t>(id));
        if (c == nullptr || c->parent == nullptr || c->parent->id != m_nodes[id].parent) {
            return false;
        }
    }
    return true;
}

// --- Queries ---------------------------------------------------------------------------------

bool CategoryTreeModel::contains(std::uint16_t id) const {
    return shownNode(id) != nullptr;
}

QModelIndex CategoryTreeModel::indexOf(std::uint16_t id) const {
    const Node* node = shownNode(id);
    if (node == nullptr) {
        return {};
    }
    return createIndex(m_rootId == id ? 0 : node->row, 0, static_cast<quintptr>(id));
}

std::optional<std::uint16_t> CategoryTreeModel::parentOf(std::uint16_t id) const {
    const Node* node = shownNode(id);
    if (node == nullptr || m_rootId == id) {
        return std::nullopt;
    }
    return node->parent;
}

bool CategoryTreeModel::isSameOrBelow(std::uint16_t id, std::uint16_t ancestor) const {
    std::optional<std::uint16_t> at = id;
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

std::optional<std::uint16_t> CategoryTreeModel::categoryIdOf(const QModelIndex& index) {
    if (!index.isValid()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(index.internalId());
}

CategoryRecord* CategoryTreeModel::categoryAt(const QModelIndex& index) const {
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
    const Node* node = shownNode(static_cast<std::uint16_t>(parent.internalId()));
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
    const Node* node = shownNode(static_cast<std::uint16_t>(parent.internalId()));
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
            return QString::fromUtf8(category->name.data(),
                                     static_cast<qsizetype>(category->name.size()));
        case Qt::DecorationRole:
            return categoryIcon(tree::categoryIconIndex(category->id, category->flags));
        case kCategoryIdRole:
            return static_cast<int>(category->id);
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

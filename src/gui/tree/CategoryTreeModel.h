#pragma once

#include <QAbstractItemModel>

#include <cstdint>
#include <optional>
#include <vector>

#include "store/DatabaseObserver.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
class CategoryRecord;
}  // namespace lh::store

namespace lh::gui {

// The category tree of the Database as a Qt model: one column, the root as the only top row.
// A QModelIndex carries the category id in internalId(). The model keeps its own copy of the
// tree's shape (ids, parents, rows), changed only by the Database's events as the category pane
// passes them on (begin... before the change, end... after it); names and icons are read from
// the Database when asked.
class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    static constexpr int kCategoryIdRole = Qt::UserRole + 1;

    explicit CategoryTreeModel(store::Database& db, QObject* parent = nullptr);

    store::Database& database() const { return m_db; }

    // Shows the Database's whole tree afresh (a reset). Returns the ids of the categories whose
    // "expanded" nibble is set, in pre-order.
    std::vector<store::CategoryId> rebuild();
    // Shows nothing.
    void clear();

    // The Database's category events, rows counted as the events count them.
    void beginInsert(const store::CategoryRows& rows);
    void endInsert(const store::CategoryRows& rows);
    void beginMove(const store::CategoryRows& rows, store::CategoryId toParent,
                   std::uint32_t toRow);
    void endMove(const store::CategoryRows& rows, store::CategoryId toParent, std::uint32_t toRow);
    void beginRemove(const store::CategoryRows& rows);
    void endRemove(const store::CategoryRows& rows);
    // The name or class (icon) of category `id` changed.
    void categoryChanged(store::CategoryId id);

    bool contains(store::CategoryId id) const;
    QModelIndex indexOf(store::CategoryId id) const;
    // The id of the category shown above `id`, or nothing for the root and unknown ids.
    std::optional<store::CategoryId> parentOf(store::CategoryId id) const;
    // The id of the category shown at `row` below `parent`, or nothing.
    std::optional<store::CategoryId> childAt(store::CategoryId parent, std::uint32_t row) const;
    // `id` and every category shown below it, parents first; nothing when `id` is not shown.
    std::vector<store::CategoryId> shownSubtree(store::CategoryId id) const;
    // True when the row of `id` is the row of `ancestor` or lies below it.
    bool isSameOrBelow(store::CategoryId id, store::CategoryId ancestor) const;
    static std::optional<store::CategoryId> categoryIdOf(const QModelIndex& index);
    // The record behind `index`, or null.
    const store::CategoryRecord* categoryAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node {
        bool shown = false;
        store::CategoryId parent = 0;
        int row = 0;
        std::vector<store::CategoryId> children;
    };

    const Node* shownNode(store::CategoryId id) const;
    Node& nodeFor(store::CategoryId id);
    // Mirror changes, without signals.
    void attach(store::CategoryId id, store::CategoryId parent, int row);
    // Attaches everything below `top` (attached already); collects the expanded ones.
    void attachBelow(const store::CategoryRecord& top, std::vector<store::CategoryId>* expanded);
    // Takes `rows` out of their parent's children.
    std::vector<store::CategoryId> takeRows(const store::CategoryRows& rows);
    void dropShape(store::CategoryId id);
    void renumber(store::CategoryId parent, int from);

    store::Database& m_db;
    std::vector<Node> m_nodes;  // by category id
    std::optional<store::CategoryId> m_rootId;
    bool m_changing = false;  // a begin... call started a change its end... call completes
};

}  // namespace lh::gui

#pragma once

#include <QAbstractItemModel>

#include <cstdint>
#include <optional>
#include <vector>

namespace lh::store {
class Database;
struct CategoryRecord;
}  // namespace lh::store

namespace lh::gui {

// The category tree of the Database as a Qt model: one column, the root as the only top row.
// A QModelIndex carries the category id in internalId(). The model keeps its own copy of the
// tree's shape (ids, parents, rows), so that it can tell the views about a change after the
// Database has made it; names and icons are read from the Database when asked.
class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    static constexpr int kCategoryIdRole = Qt::UserRole + 1;

    explicit CategoryTreeModel(store::Database& db, QObject* parent = nullptr);

    store::Database& database() const { return m_db; }

    // Shows the Database's whole tree afresh (a reset). Returns the ids of the categories whose
    // "expanded" nibble is set, in the order they were added.
    std::vector<std::uint16_t> rebuild();
    // Shows nothing (the Database is being emptied).
    void clear();
    // Adds the rows of `category` and everything below it at its place under its parent.
    // False when its parent is not shown.
    bool insertCategory(const store::CategoryRecord& category);
    // Moves the row of `category` to its place under its (new) parent. False when that parent
    // is not shown.
    bool moveCategory(const store::CategoryRecord& category);
    // Takes away the row of category `id` with everything below it (nothing when not shown).
    void removeCategory(std::uint16_t id);
    // The name or icon of category `id` changed.
    void categoryChanged(std::uint16_t id);
    // Brings the rows in step with the Database after changes the model was not told of
    // (categories added by an import): adds, moves and removes rows without a reset.
    void synchronize();

    bool contains(std::uint16_t id) const;
    QModelIndex indexOf(std::uint16_t id) const;
    // The id of the category shown above `id`, or nothing for the root and unknown ids.
    std::optional<std::uint16_t> parentOf(std::uint16_t id) const;
    // True when the row of `id` is the row of `ancestor` or lies below it.
    bool isSameOrBelow(std::uint16_t id, std::uint16_t ancestor) const;
    static std::optional<std::uint16_t> categoryIdOf(const QModelIndex& index);
    // The record behind `index`, or null.
    store::CategoryRecord* categoryAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node {
        bool shown = false;
        std::uint16_t parent = 0;
        int row = 0;
        std::vector<std::uint16_t> children;
    };

    const Node* shownNode(std::uint16_t id) const;
    Node& nodeFor(std::uint16_t id);
    // Mirror changes without signals.
    void attach(std::uint16_t id, std::uint16_t parent, int row);
    void detach(std::uint16_t id);
    void addShape(const store::CategoryRecord& top, int row);
    void dropShape(std::uint16_t id);
    void renumber(std::uint16_t parent, int from);
    // The row `category` takes among the shown children of its parent.
    int rowFor(const store::CategoryRecord& category) const;
    void moveShown(std::uint16_t id, std::uint16_t newParent, int destinationRow);
    void insertShown(const store::CategoryRecord& category, int row);
    // True when every shown row hangs under the row of its category's parent.
    bool matchesDatabase() const;

    store::Database& m_db;
    std::vector<Node> m_nodes;  // by category id
    std::optional<std::uint16_t> m_rootId;
};

}  // namespace lh::gui

#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <optional>
#include <vector>

#include "gui/items/ItemColumns.h"
#include "store/DatabaseObserver.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
}

namespace lh::gui {

// The rows of the item list: the chain of one category, in order. Holds only references to the
// Database's records (one pointer a row) and makes each cell's text when it is asked for. It
// follows the Database's events for the shown category (items inserted, moved within, in or out,
// removed, changed) and shows the category afresh after bulk work; when the category goes, it
// shows nothing.
class ItemListModel final : public QAbstractTableModel, private store::DatabaseObserver {
    Q_OBJECT

public:
    // The rate column's number of full stars (1 to 5); no other column has it.
    static constexpr int kStarsRole = Qt::UserRole + 1;

    // Registers with `db`, which must outlive the model.
    explicit ItemListModel(store::Database& db, QObject* parent = nullptr);
    ~ItemListModel() override;

    // Shows the chain of category `id` (none, or an unknown id: no rows).
    void showCategory(std::optional<store::CategoryId> id);
    std::optional<store::CategoryId> category() const { return m_category; }

    void setColumns(std::vector<ListColumn> columns);
    const std::vector<ListColumn>& columns() const { return m_columns; }
    // The column showing `field`, or -1.
    int columnOf(items::FieldCode field) const;

    // The record in `row`, or null.
    const store::ItemRecord* recordAt(int row) const;
    // The row showing item `id`, or -1.
    int rowOf(store::ItemId id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // What the about-to event of the change under way began, for its done event to finish.
    enum class Pending { None, Insert, MoveWithin, MoveOut, MoveIn, Remove, Reset };

    void bulkChangeBegun() override;
    void bulkChangeEnded(bool contentsReplaced) override;
    void categoriesAboutToBeRemoved(const store::CategoryRows& rows) override;
    void itemsAboutToBeInserted(const store::ItemRows& rows) override;
    void itemsInserted(const store::ItemRows& rows) override;
    void itemsAboutToBeMoved(const store::ItemRows& rows, store::CategoryId toCategory,
                             std::uint32_t toPosition) override;
    void itemsMoved(const store::ItemRows& rows, store::CategoryId toCategory,
                    std::uint32_t toPosition) override;
    void itemsAboutToBeRemoved(const store::ItemRows& rows) override;
    void itemsRemoved(const store::ItemRows& rows) override;
    void itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) override;

    bool shows(store::CategoryId id) const { return m_category == id && !m_inBulk; }
    // Fills the rows from the shown category's chain (none when it is gone).
    void readChain();
    // Inserts `count` rows at `row`, taken from the chain after the row before it.
    void takeFromChain(int row, int count);
    // Starts a reset for a change whose rows cannot be followed one by one.
    void beginFallbackReset();
    bool isShownCategoryAmong(const store::CategoryRows& rows) const;

    store::Database& m_db;
    std::optional<store::CategoryId> m_category;
    std::vector<const store::ItemRecord*> m_rows;
    std::vector<ListColumn> m_columns;
    QIcon m_rowIcon;
    QIcon m_headerIcon;
    Pending m_pending = Pending::None;
    bool m_inBulk = false;
    bool m_chosenInBulk = false;  // a category was chosen while bulk work went on
};

}  // namespace lh::gui

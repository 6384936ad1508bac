#pragma once

#include <QAbstractTableModel>

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "linkcheck/LinkCheck.h"
#include "store/Kinds.h"

namespace lh::gui {

// One link of a check: the item it stands for, as it was when the row was made, and what the
// check found (nothing while it waits).
struct LinkRow {
    store::ItemId id = store::kNoItemId;
    std::string title;
    std::string address;
    std::optional<linkcheck::LinkResult> result;
    bool addressEdited = false;  // the item's address changed since: the result no longer holds
};

// True when "Use new address" applies to `row`: a permanent redirect found for the address the
// item still holds.
bool offersNewAddress(const LinkRow& row);

// The rows of the link-check window, one per link item, keyed by item id (internalId). Columns:
// title, address, verdict, code, final address, time. The verdict column's kVerdictRole is the
// verdict's name ("" while waiting, "edited" after the address changed), which the filter uses;
// kSortRole sorts codes and times as numbers.
class LinkResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Title, Address, Verdict, Code, Final, Time, ColumnCount };
    static constexpr int kItemIdRole = Qt::UserRole + 1;
    static constexpr int kVerdictRole = Qt::UserRole + 2;
    static constexpr int kSortRole = Qt::UserRole + 3;
    static constexpr const char* kEditedName = "edited";

    explicit LinkResultsModel(QObject* parent = nullptr);

    // Replaces every row.
    void setRows(std::vector<LinkRow> rows);
    // Sets the result of its item's row; false when there is no such row.
    bool setResult(const linkcheck::LinkResult& result);
    // The row of `id` waits for a new result (its address as given).
    void setWaiting(store::ItemId id, const std::string& address);
    // The item's address changed to `address`: the row says so until it is checked again.
    void markEdited(store::ItemId id, const std::string& address);
    void removeItem(store::ItemId id);
    // After the items were loaded afresh: each row takes the id in `newIds` of its old one; a
    // row without one goes.
    void rekey(const std::map<store::ItemId, store::ItemId>& newIds);

    const LinkRow* find(store::ItemId id) const;
    const std::vector<LinkRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int rowOf(store::ItemId id) const;
    void rowChanged(int row);
    void reindex();
    QVariant display(const LinkRow& row, int column) const;

    std::vector<LinkRow> m_rows;
    std::unordered_map<store::ItemId, int> m_rowOfId;
};

}  // namespace lh::gui

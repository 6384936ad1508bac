#pragma once

#include <QItemSelection>
#include <QObject>
#include <QPoint>

#include <optional>
#include <span>
#include <vector>

#include "store/Kinds.h"

namespace lh::store {
class Database;
}
namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

class DetailPane;
class ItemListModel;
class ItemListView;

// The right side of the main window: the item list of the current category (upper pane) and the
// detail pane with every field of the item selected last (lower pane). The main window places the
// two widgets in its splitter. Rows are the category's chain in order; the list model holds only
// references to the Database's records and follows its events, so every change made anywhere
// (dialogs, commands, drops, imports) shows at once. Rows are named by item id outside the pane.
class ItemPane : public QObject {
    Q_OBJECT

public:
    // `db` and `settings` must outlive the pane; the widgets are made as children of `parent`.
    ItemPane(store::Database& db, settings::AppSettings& settings, QWidget* parent);
    ~ItemPane() override;

    ItemListView* listView() const;
    DetailPane* detailPane() const;

    // Shows the items of category `id` (none: an empty list) and clears the detail pane. The tree
    // calls this whenever its current category changes.
    void showCategory(std::optional<store::CategoryId> id);
    std::optional<store::CategoryId> category() const;

    int rowCount() const;
    // The item in row `row`, or kNoItemId.
    store::ItemId itemAt(int row) const;
    // The selected items, top row first.
    std::vector<store::ItemId> selectedItems() const;
    // The selected rows, ascending.
    std::vector<int> selectedRows() const;
    // Replaces the selection with the shown items among `ids` and scrolls `scrollTo` (when shown)
    // into view.
    void select(std::span<const store::ItemId> ids, store::ItemId scrollTo = store::kNoItemId);
    // Select All and Invert Select: both focus the list; Invert scrolls the first newly selected
    // row into view.
    void selectAll();
    void invertSelection();
    // Selects `id` alone, focuses the list and scrolls the row into view (Find's hit).
    void showItem(store::ItemId id);

    // Grid lines in the list (View > Grid).
    void setGridLines(bool on);
    // Rebuilds the list's columns from the stored URL layout (after the Columns dialog) and
    // shows the current category again.
    void applyColumnLayout();

signals:
    // The selection changed (the commands' enable rules follow it).
    void selectionChanged();
    // Double click on row `item` (not sent in the quiet categories).
    void itemActivated(store::ItemId item);
    // Right click over the list with at least one row selected, at `globalPos` (not sent in the
    // quiet categories).
    void contextMenuRequested(const QPoint& globalPos);
    // The Delete key; `permanent` when Shift was held.
    void deleteRequested(bool permanent);

private:
    void connectSignals();
    void onSelectionChanged(const QItemSelection& selected);
    // Stores a column width the user set into the current category kind's layout.
    void onColumnResized(int column, int width);
    void selectRows(const std::vector<int>& rows);

    store::Database& m_db;
    settings::AppSettings& m_settings;
    ItemListModel* m_model = nullptr;
    ItemListView* m_list = nullptr;
    DetailPane* m_detail = nullptr;
};

}  // namespace lh::gui

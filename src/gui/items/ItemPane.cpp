#include "gui/items/ItemPane.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <unordered_set>

#include "gui/items/DetailPane.h"
#include "gui/items/ItemListModel.h"
#include "gui/items/ItemListView.h"
#include "items/ItemKind.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

settings::ColumnLayout::Kind layoutKindOf(items::ItemKind kind) {
    switch (kind) {
        case items::ItemKind::Url:
            return settings::ColumnLayout::Kind::Url;
        case items::ItemKind::File:
            return settings::ColumnLayout::Kind::File;
        case items::ItemKind::Remind:
            return settings::ColumnLayout::Kind::Remind;
        case items::ItemKind::Mixed:
            break;
    }
    return settings::ColumnLayout::Kind::Mixed;
}

}  // namespace

ItemPane::ItemPane(store::Database& db, settings::AppSettings& settings, QWidget* parent)
    : QObject(parent),
      m_db(db),
      m_settings(settings),
      m_model(new ItemListModel(db, this)),
      m_list(new ItemListView(parent)),
      m_detail(new DetailPane(db, settings, parent)) {
    m_list->setObjectName("itemPane");
    m_detail->setObjectName("detailPane");
    m_list->setItemModel(m_model);
    applyColumnLayout();
    setGridLines(m_settings.GeneralCheck.gridLines());
    connectSignals();
}

ItemPane::~ItemPane() = default;

void ItemPane::connectSignals() {
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ItemPane::onSelectionChanged);
    connect(m_list, &ItemListView::columnResized, this, &ItemPane::onColumnResized);
    connect(m_list, &ItemListView::deleteRequested, this, &ItemPane::deleteRequested);
    connect(m_list, &ItemListView::itemActivated, this, &ItemPane::itemActivated);
    connect(m_list, &ItemListView::contextMenuRequested, this, &ItemPane::contextMenuRequested);
    // The record shown in the detail pane may change or go with any of these.
    connect(m_model, &QAbstractItemModel::rowsRemoved, m_detail, &DetailPane::refresh);
    connect(m_model, &QAbstractItemModel::dataChanged, m_detail, &DetailPane::refresh);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_detail->refresh();
        emit selectionChanged();  // a reset empties the selection without a word
    });
}

ItemListView* ItemPane::listView() const {
    return m_list;
}

DetailPane* ItemPane::detailPane() const {
    return m_detail;
}

void ItemPane::showCategory(std::optional<store::CategoryId> id) {
    const store::CategoryRecord* category = id ? m_db.findCategory(*id) : nullptr;
    m_detail->setRowSet(category != nullptr ? items::kindOf(*category) : items::ItemKind::Url);
    m_model->showCategory(id);
}

std::optional<store::CategoryId> ItemPane::category() const {
    return m_model->category();
}

int ItemPane::rowCount() const {
    return m_model->rowCount();
}

store::ItemId ItemPane::itemAt(int row) const {
    const store::ItemRecord* item = m_model->recordAt(row);
    return item != nullptr ? item->id() : store::kNoItemId;
}

std::vector<store::ItemId> ItemPane::selectedItems() const {
    std::vector<store::ItemId> ids;
    for (int row : m_list->selectedRowNumbers()) {
        ids.push_back(itemAt(row));
    }
    return ids;
}

std::vector<int> ItemPane::selectedRows() const {
    return m_list->selectedRowNumbers();
}

void ItemPane::selectRows(const std::vector<int>& rows) {
    // Runs of rows as one range each: a hundred thousand single ranges would crawl.
    QItemSelection selection;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
            ++end;
        }
        selection.select(m_model->index(rows[i], 0), m_model->index(rows[end - 1], 0));
        i = end;
    }
    m_list->selectionModel()->select(
        selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ItemPane::select(std::span<const store::ItemId> ids, store::ItemId scrollTo) {
    const std::unordered_set<store::ItemId> wanted(ids.begin(), ids.end());
    std::vector<int> rows;
    int scrollRow = -1;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const store::ItemId id = m_model->recordAt(row)->id();
        if (wanted.contains(id)) {
            rows.push_back(row);
        }
        if (id == scrollTo && scrollTo != store::kNoItemId) {
            scrollRow = row;
        }
    }
    selectRows(rows);
    if (scrollRow >= 0) {
        m_list->scrollTo(m_model->index(scrollRow, 0));
    }
}

void ItemPane::selectAll() {
    m_list->selectAll();
    m_list->setFocus();
}

void ItemPane::invertSelection() {
    const std::vector<int> before = m_list->selectedRowNumbers();
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(m_model->rowCount()) - before.size());
    auto selected = before.begin();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (selected != before.end() && *selected == row) {
            ++selected;
        } else {
            rows.push_back(row);
        }
    }
    selectRows(rows);
    m_list->setFocus();
    if (!rows.empty()) {
        m_list->scrollTo(m_model->index(rows.front(), 0));
    }
}

void ItemPane::showItem(store::ItemId id) {
    const int row = m_model->rowOf(id);
    if (row < 0) {
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->setFocus();
    m_list->scrollTo(index);
}

void ItemPane::setGridLines(bool on) {
    m_list->setGridLines(on);
}

void ItemPane::applyColumnLayout() {
    const std::vector<ListColumn> columns =
        applyUrlLayout(m_settings.layout(settings::ColumnLayout::Kind::Url));
    m_model->setColumns(columns);
    m_list->setColumnWidths(columns);
    showCategory(m_model->category());
}

void ItemPane::onSelectionChanged(const QItemSelection& selected) {
    if (!m_list->selectionModel()->hasSelection()) {
        m_detail->clearValues();
        emit selectionChanged();
        return;
    }
    if (!selected.isEmpty()) {
        const QModelIndex current = m_list->selectionModel()->currentIndex();
        const int row = current.isValid() && m_list->selectionModel()->isSelected(current)
                            ? current.row()
                            : selected.first().top();
        m_detail->showItem(itemAt(row));
    }
    emit selectionChanged();
}

void ItemPane::onColumnResized(int column, int width) {
    const store::CategoryRecord* category =
        m_model->category() ? m_db.findCategory(*m_model->category()) : nullptr;
    if (category != nullptr) {
        (void)storeColumnWidth(m_settings.layout(layoutKindOf(items::kindOf(*category))), column,
                               width);
    }
}

}  // namespace lh::gui

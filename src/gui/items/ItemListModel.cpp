#include "gui/items/ItemListModel.h"

#include <algorithm>
#include <utility>

#include "gui/items/ItemPictures.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

using items::FieldCode;

QString headerText(FieldCode field) {
    switch (field) {
        case FieldCode::Rate:
            return QStringLiteral("Rate");
        case FieldCode::Title:
            return QStringLiteral("Title");
        case FieldCode::Address:
            return QStringLiteral("URL");
        case FieldCode::Comment:
            return QStringLiteral("Comment");
        case FieldCode::CreateTime:
            return QStringLiteral("Create Time");
        case FieldCode::FileSize:
            return QStringLiteral("File Size");
        case FieldCode::Location:
            return QStringLiteral("Save Path");
        case FieldCode::RemindTime:
            return QStringLiteral("Remind Time");
        case FieldCode::Image:
        case FieldCode::RowImage:
            break;
    }
    return {};
}

int toInt(std::uint32_t n) {
    return static_cast<int>(n);
}

}  // namespace

ItemListModel::ItemListModel(store::Database& db, QObject* parent)
    : QAbstractTableModel(parent),
      m_db(db),
      m_rowIcon(itemRowIcon()),
      m_headerIcon(itemHeaderIcon()) {
    m_db.addObserver(this);
}

ItemListModel::~ItemListModel() {
    m_db.removeObserver(this);
}

void ItemListModel::showCategory(std::optional<store::CategoryId> id) {
    if (m_inBulk) {
        // The rows come back when the bulk work ends.
        m_category = id;
        m_chosenInBulk = true;
        return;
    }
    beginResetModel();
    m_category = id;
    readChain();
    endResetModel();
}

void ItemListModel::readChain() {
    m_rows.clear();
    const store::CategoryRecord* c = m_category ? m_db.findCategory(*m_category) : nullptr;
    if (c == nullptr) {
        m_category.reset();
        m_rows.shrink_to_fit();
        return;
    }
    m_rows.reserve(c->itemCount());
    for (const store::ItemRecord* item = c->firstItem(); item != nullptr; item = item->next()) {
        m_rows.push_back(item);
    }
}

void ItemListModel::setColumns(std::vector<ListColumn> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

int ItemListModel::columnOf(FieldCode field) const {
    const auto it = std::find_if(m_columns.begin(), m_columns.end(),
                                 [field](const ListColumn& c) { return c.field == field; });
    return it != m_columns.end() ? static_cast<int>(it - m_columns.begin()) : -1;
}

const store::ItemRecord* ItemListModel::recordAt(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size()
               ? m_rows[static_cast<std::size_t>(row)]
               : nullptr;
}

int ItemListModel::rowOf(store::ItemId id) const {
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [id](const store::ItemRecord* r) { return r->id() == id; });
    return it != m_rows.end() ? static_cast<int>(it - m_rows.begin()) : -1;
}

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ItemListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    const store::ItemRecord* item = recordAt(index.row());
    if (item == nullptr || index.column() < 0 ||
        static_cast<std::size_t>(index.column()) >= m_columns.size()) {
        return {};
    }
    const FieldCode field = m_columns[static_cast<std::size_t>(index.column())].field;
    switch (role) {
        case Qt::DisplayRole:
            if (field != FieldCode::RowImage && field != FieldCode::Image &&
                field != FieldCode::Rate) {
                return QString::fromStdString(items::cellText(*item, field));
            }
            break;
        case Qt::DecorationRole:
            if (field == FieldCode::RowImage) {
                return m_rowIcon;
            }
            break;
        case kStarsRole:
            if (field == FieldCode::Rate) {
                return items::shownStars(item->rate());
            }
            break;
        default:
            break;
    }
    return {};
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= m_columns.size()) {
        return {};
    }
    const FieldCode field = m_columns[static_cast<std::size_t>(section)].field;
    if (role == Qt::DisplayRole) {
        return headerText(field);
    }
    if (role == Qt::DecorationRole && field == FieldCode::RowImage) {
        return m_headerIcon;
    }
    return {};
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

// --- Following the Database ---------------------------------------------------------------------

void ItemListModel::bulkChangeBegun() {
    // Records may go while the work runs: nothing is shown until it ends.
    beginResetModel();
    m_rows.clear();
    m_inBulk = true;
    m_chosenInBulk = false;
}

void ItemListModel::bulkChangeEnded(bool contentsReplaced) {
    m_inBulk = false;
    if (contentsReplaced && !m_chosenInBulk) {
        m_category.reset();  // the old id names another category now, or none
    }
    readChain();
    endResetModel();
}

bool ItemListModel::isShownCategoryAmong(const store::CategoryRows& rows) const {
    const store::CategoryRecord* c = m_category ? m_db.findCategory(*m_category) : nullptr;
    // The shown category's ancestor (or itself) among `rows.parent`'s children.
    while (c != nullptr && c->parent() != nullptr && c->parent()->id() != rows.parent) {
        c = c->parent();
    }
    if (c == nullptr || c->parent() == nullptr) {
        return false;
    }
    const std::uint32_t row = store::Database::rowOf(*c);
    return row >= rows.first && row <= rows.last;
}

void ItemListModel::categoriesAboutToBeRemoved(const store::CategoryRows& rows) {
    if (m_inBulk || !isShownCategoryAmong(rows)) {
        return;
    }
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_category.reset();
    endResetModel();
}

void ItemListModel::beginFallbackReset() {
    beginResetModel();
    m_pending = Pending::Reset;
}

void ItemListModel::takeFromChain(int row, int count) {
    const store::ItemRecord* item = row == 0 ? m_db.findCategory(*m_category)->firstItem()
                                             : m_rows[static_cast<std::size_t>(row - 1)]->next();
    std::vector<const store::ItemRecord*> taken;
    taken.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count && item != nullptr; ++i, item = item->next()) {
        taken.push_back(item);
    }
    m_rows.insert(m_rows.begin() + row, taken.begin(), taken.end());
}

void ItemListModel::itemsAboutToBeInserted(const store::ItemRows& rows) {
    if (!shows(rows.category)) {
        return;
    }
    if (rows.first > m_rows.size()) {
        beginFallbackReset();
        return;
    }
    beginInsertRows({}, toInt(rows.first), toInt(rows.last));
    m_pending = Pending::Insert;
}

void ItemListModel::itemsInserted(const store::ItemRows& rows) {
    if (m_pending == Pending::Insert) {
        takeFromChain(toInt(rows.first), toInt(rows.last - rows.first + 1));
        m_pending = Pending::None;
        endInsertRows();
    } else if (m_pending == Pending::Reset) {
        m_pending = Pending::None;
        readChain();
        endResetModel();
    }
}

void ItemListModel::itemsAboutToBeMoved(const store::ItemRows& rows, store::CategoryId toCategory,
                                        std::uint32_t toPosition) {
    const bool from = shows(rows.category);
    const bool to = shows(toCategory);
    if (!from && !to) {
        return;
    }
    const int first = toInt(rows.first), last = toInt(rows.last), at = toInt(toPosition);
    bool begun = false;
    if (from && to) {
        begun = rows.last < m_rows.size() && toPosition <= m_rows.size() &&
                beginMoveRows({}, first, last, {}, at);
        m_pending = Pending::MoveWithin;
    } else if (from) {
        begun = rows.last < m_rows.size();
        if (begun) {
            beginRemoveRows({}, first, last);
        }
        m_pending = Pending::MoveOut;
    } else {
        begun = toPosition <= m_rows.size();
        if (begun) {
            beginInsertRows({}, at, at + last - first);
        }
        m_pending = Pending::MoveIn;
    }
    if (!begun) {
        beginFallbackReset();
    }
}

void ItemListModel::itemsMoved(const store::ItemRows& rows, store::CategoryId toCategory,
                               std::uint32_t toPosition) {
    (void)toCategory;
    const Pending pending = std::exchange(m_pending, Pending::None);
    const auto first = static_cast<std::ptrdiff_t>(rows.first);
    const auto end = static_cast<std::ptrdiff_t>(rows.last) + 1;
    switch (pending) {
        case Pending::MoveWithin: {
            // The destination counts the moving rows still in place.
            const auto to = m_rows.begin() + toPosition;
            if (toPosition < rows.first) {
                std::rotate(to, m_rows.begin() + first, m_rows.begin() + end);
            } else {
                std::rotate(m_rows.begin() + first, m_rows.begin() + end, to);
            }
            endMoveRows();
            break;
        }
        case Pending::MoveOut:
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + end);
            endRemoveRows();
            break;
        case Pending::MoveIn:
            takeFromChain(toInt(toPosition), toInt(rows.last - rows.first + 1));
            endInsertRows();
            break;
        case Pending::Reset:
            readChain();
            endResetModel();
            break;
        default:
            break;
    }
}

void ItemListModel::itemsAboutToBeRemoved(const store::ItemRows& rows) {
    if (!shows(rows.category)) {
        return;
    }
    if (rows.last >= m_rows.size()) {
        beginFallbackReset();
        return;
    }
    beginRemoveRows({}, toInt(rows.first), toInt(rows.last));
    m_pending = Pending::Remove;
}

void ItemListModel::itemsRemoved(const store::ItemRows& rows) {
    const Pending pending = std::exchange(m_pending, Pending::None);
    if (pending == Pending::Remove) {
        m_rows.erase(m_rows.begin() + rows.first, m_rows.begin() + rows.last + 1);
        endRemoveRows();
    } else if (pending == Pending::Reset) {
        readChain();
        endResetModel();
    }
}

void ItemListModel::itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) {
    (void)fields;
    if (!shows(item.categoryId()) || m_columns.empty()) {
        return;
    }
    // An edit leaves positions as they are; the search is for safety only.
    int row = toInt(item.position());
    if (row >= rowCount() || m_rows[static_cast<std::size_t>(row)] != &item) {
        row = rowOf(item.id());
    }
    if (row >= 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

}  // namespace lh::gui

#include "gui/linkcheck/LinkResultsModel.h"

#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

QString verdictText(const LinkRow& row) {
    if (row.addressEdited) {
        return QString::fromLatin1(LinkResultsModel::kEditedName);
    }
    return row.result ? toQString(std::string(linkcheck::verdictName(row.result->verdict)))
                      : QString();
}

}  // namespace

bool offersNewAddress(const LinkRow& row) {
    return !row.addressEdited && row.result && row.result->verdict == linkcheck::Verdict::Moved &&
           !row.result->finalAddress.empty();
}

LinkResultsModel::LinkResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void LinkResultsModel::setRows(std::vector<LinkRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    reindex();
    endResetModel();
}

bool LinkResultsModel::setResult(const linkcheck::LinkResult& result) {
    const int row = rowOf(result.itemId);
    if (row < 0) {
        return false;
    }
    m_rows[row].result = result;
    m_rows[row].addressEdited = false;
    rowChanged(row);
    return true;
}

void LinkResultsModel::setWaiting(store::ItemId id, const std::string& address) {
    if (const int row = rowOf(id); row >= 0) {
        m_rows[row].result.reset();
        m_rows[row].addressEdited = false;
        m_rows[row].address = address;
        rowChanged(row);
    }
}

void LinkResultsModel::markEdited(store::ItemId id, const std::string& address) {
    if (const int row = rowOf(id); row >= 0) {
        m_rows[row].addressEdited = true;
        m_rows[row].address = address;
        rowChanged(row);
    }
}

void LinkResultsModel::removeItem(store::ItemId id) {
    const int row = rowOf(id);
    if (row < 0) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    reindex();
    endRemoveRows();
}

void LinkResultsModel::rekey(const std::map<store::ItemId, store::ItemId>& newIds) {
    std::vector<LinkRow> kept;
    kept.reserve(m_rows.size());
    for (LinkRow& row : m_rows) {
        if (const auto it = newIds.find(row.id); it != newIds.end()) {
            row.id = it->second;
            if (row.result) {
                row.result->itemId = it->second;
            }
            kept.push_back(std::move(row));
        }
    }
    setRows(std::move(kept));
}

const LinkRow* LinkResultsModel::find(store::ItemId id) const {
    const int row = rowOf(id);
    return row < 0 ? nullptr : &m_rows[row];
}

int LinkResultsModel::rowOf(store::ItemId id) const {
    const auto it = m_rowOfId.find(id);
    return it == m_rowOfId.end() ? -1 : it->second;
}

void LinkResultsModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void LinkResultsModel::reindex() {
    m_rowOfId.clear();
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        m_rowOfId[m_rows[i].id] = i;
    }
}

// --- QAbstractItemModel
// ---------------------------------------------------------------------------

int LinkResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LinkResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QModelIndex LinkResultsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    return createIndex(row, column, static_cast<quintptr>(m_rows[row].id));
}

QVariant LinkResultsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const LinkRow& row = m_rows[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            return display(row, index.column());
        case Qt::ToolTipRole:
            return row.result && index.column() == Verdict ? toQString(row.result->reason)
                                                           : QVariant();
        case kItemIdRole:
            return QVariant::fromValue(row.id);
        case kVerdictRole:
            return verdictText(row);
        case kSortRole:
            if (index.column() == Code) {
                return row.result ? row.result->code : -1;
            }
            if (index.column() == Time) {
                return row.result ? qint64(row.result->ms) : qint64(-1);
            }
            return display(row, index.column());
        default:
            return {};
    }
}

QVariant LinkResultsModel::display(const LinkRow& row, int column) const {
    const auto& result = row.result;
    switch (column) {
        case Title:
            return toQString(row.title);
        case Address:
            return toQString(row.address);
        case Verdict:
            return verdictText(row);
        case Code:
            return result && result->code != 0 ? QString::number(result->code) : QString();
        case Final:
            return result ? toQString(result->finalAddress) : QString();
        case Time:
            if (!result) {
                return QString();
            }
            return result->remembered ? QStringLiteral("earlier")
                                      : QStringLiteral("%1 ms").arg(result->ms);
        default:
            return {};
    }
}

QVariant LinkResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kTitles[ColumnCount] = {"Title", "Address",       "Verdict",
                                                     "Code",  "Final address", "Time"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section])
                                                 : QVariant();
}

}  // namespace lh::gui

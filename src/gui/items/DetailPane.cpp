#include "gui/items/DetailPane.h"

#include <QHeaderView>

#include <string>
#include <vector>

#include "gui/uikit/QtText.h"
#include "gui/uikit/StoredColour.h"
#include "items/ItemTexts.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

constexpr int kParameterWidth = 130;
constexpr int kValueWidth = 290;

}  // namespace

DetailPane::DetailPane(const store::Database& db, const settings::AppSettings& settings,
                       QWidget* parent)
    : QTreeWidget(parent), m_db(db), m_settings(settings) {
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Value")});
    setColumnWidth(0, kParameterWidth);
    setColumnWidth(1, kValueWidth);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setRowSet(items::ItemKind::Url);
}

void DetailPane::setRowSet(items::ItemKind kind) {
    m_item = store::kNoItemId;
    if (kind == m_kind && topLevelItemCount() > 0) {
        clearValues();
        return;
    }
    m_kind = kind;
    clear();
    for (std::string_view name : items::detailRowNames(kind)) {
        auto* row = new QTreeWidgetItem(this);
        row->setText(0, toQString(name));
    }
    applyColours();
}

void DetailPane::showItem(store::ItemId id) {
    const store::ItemRecord* item = m_db.findItem(id);
    if (item == nullptr) {
        clearValues();
        return;
    }
    setRowSet(items::kindOf(*item));
    const std::vector<std::string> values =
        items::detailValues(*item, m_settings.GeneralCheck.sizeInBytes());
    for (int i = 0; i < topLevelItemCount() && static_cast<std::size_t>(i) < values.size(); ++i) {
        topLevelItem(i)->setText(1, QString::fromStdString(values[static_cast<std::size_t>(i)]));
    }
    m_item = id;
}

void DetailPane::clearValues() {
    m_item = store::kNoItemId;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        topLevelItem(i)->setText(1, QString());
    }
}

void DetailPane::refresh() {
    if (m_item != store::kNoItemId) {
        showItem(m_item);
    }
}

void DetailPane::applyColours() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, storedColour(m_settings.DetailBK));
    setPalette(palette);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const bool even = i % 2 == 0;
        QTreeWidgetItem* row = topLevelItem(i);
        const QColor text = storedColour(even ? m_settings.EvenText : m_settings.OddText);
        const QColor back = storedColour(even ? m_settings.EvenBK : m_settings.OddBK);
        for (int column = 0; column < 2; ++column) {
            row->setForeground(column, text);
            row->setBackground(column, back);
        }
    }
}

}  // namespace lh::gui

#pragma once

#include <QTreeWidget>

#include <optional>

#include "items/ItemKind.h"
#include "settings/SkinLook.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
}
namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

// The detail pane: two columns, "Parameter" and "Value", one row for each field of the item
// selected last, named as its own kind names them. Rows are coloured by parity from the colour
// settings.
class DetailPane final : public QTreeWidget {
    Q_OBJECT

public:
    // `db` and `settings` must outlive the pane.
    DetailPane(const store::Database& db, const settings::AppSettings& settings,
               QWidget* parent = nullptr);

    // Shows the row names of `kind` with empty values and forgets the shown item.
    void setRowSet(items::ItemKind kind);
    // Shows item `id` (its own kind's rows), or clears the values when there is no such item.
    void showItem(store::ItemId id);
    // Empties the values of the rows shown and forgets the item.
    void clearValues();
    // Shows the item again after a change, or clears the values when it is gone.
    void refresh();
    // The item shown, or kNoItemId.
    store::ItemId shownItem() const { return m_item; }
    // Takes the colour settings again (or the skin's colours while a skin is shown).
    void applyColours();
    // Shows the detail colours and wallpaper of a skin; none: the colour settings.
    void setSkinLook(std::optional<settings::SkinLook> look);

private:
    const store::Database& m_db;
    const settings::AppSettings& m_settings;
    std::optional<settings::SkinLook> m_skin;
    items::ItemKind m_kind = items::ItemKind::Url;
    store::ItemId m_item = store::kNoItemId;
};

}  // namespace lh::gui

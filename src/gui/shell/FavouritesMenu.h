#pragma once

#include <QMenu>
#include <QPointer>

#include <cstdint>
#include <functional>

#include "store/DatabaseObserver.h"

namespace lh::store {
class Database;
struct CategoryRecord;
}  // namespace lh::store

namespace lh::gui {

// The favourites submenu of the tray menu: one submenu per category from "WebFavorite" down (a
// category's sub-categories first, then its links, each with its rate as icon).
//
// A database may hold a hundred thousand links, so nothing is built ahead: each submenu fills
// itself when it is about to show, and any change to the database only marks the menu stale.
// An entry carries its item's menu id; choosing it looks the item up again and does nothing when
// the item is gone.
class FavouritesMenu : public QMenu, public store::DatabaseObserver {
    Q_OBJECT

public:
    FavouritesMenu(store::Database& db, QWidget* parent = nullptr);

    // Called with the address of the chosen link.
    void setOpenUrl(std::function<void(const std::string&)> openUrl) {
        m_openUrl = std::move(openUrl);
    }
    // True when the database has a "WebFavorite" category to show.
    bool hasFavourites() const;
    // Forgets everything built; the menu rebuilds when next shown. Cheap.
    void markStale();
    // Fills `menu` (this menu or one of its submenus) now; used when it is about to show.
    void fill(QMenu& menu);
    // Opens the link in slot `menuId`, if it still exists.
    void openEntry(std::uint32_t menuId);

    // DatabaseObserver: any change makes the menu stale.
    void treeRebuilt(store::CategoryRecord&) override { markStale(); }
    void databaseClearing() override { markStale(); }
    void categoryRemoving(store::CategoryRecord&) override { markStale(); }
    void favouriteAdded(store::ItemRecord&) override { markStale(); }
    void favouriteRemoved(store::ItemRecord&) override { markStale(); }
    void favouritesRenumbered() override { markStale(); }

private:
    QMenu* addCategoryMenu(QMenu& parent, const store::CategoryRecord& category);

    store::Database& m_db;
    std::function<void(const std::string&)> m_openUrl;
};

}  // namespace lh::gui

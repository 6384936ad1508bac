#pragma once

#include <QMenu>
#include <QPointer>

#include <cstddef>
#include <cstdint>
#include <functional>

#include "store/DatabaseObserver.h"

namespace lh::store {
class Database;
class CategoryRecord;
class ItemRecord;
}  // namespace lh::store

namespace lh::gui {

// The favourites submenu of the tray menu: one submenu per category from "WebFavorite" down (a
// category's sub-categories first, then its links, each with its rate as icon).
//
// A database may hold a hundred thousand links, so nothing is built ahead: each submenu fills
// itself when it is about to show, and any change to the database only marks the menu stale (the
// menu follows the Database's events for as long as it lives).
// An entry carries its item's menu id; choosing it looks the item up again and does nothing when
// the item is gone.
//
// Collections are large and some trays draw the menu themselves (no scrolling, no tooltips), so
// a (sub)menu shows at most kEntriesPerMenu entries and then "More (N)", a submenu that goes on
// with the next ones: every entry stays reachable by keyboard and pointer. Long names are cut in
// the middle; the tooltip holds the whole text. An empty category shows a disabled "(empty)".
class FavouritesMenu : public QMenu, public store::DatabaseObserver {
    Q_OBJECT

public:
    static constexpr std::size_t kEntriesPerMenu = 40;

    FavouritesMenu(store::Database& db, QWidget* parent = nullptr);
    ~FavouritesMenu() override;

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
    void bulkChangeEnded(bool) override;
    void categoriesInserted(const store::CategoryRows&) override { markStale(); }
    void categoriesMoved(const store::CategoryRows&, store::CategoryId, std::uint32_t) override {
        markStale();
    }
    void categoriesAboutToBeRemoved(const store::CategoryRows&) override { markStale(); }
    void categoryChanged(const store::CategoryRecord& category, store::CategoryFieldSet) override;
    void itemsInserted(const store::ItemRows&) override { markStale(); }
    void itemsMoved(const store::ItemRows&, store::CategoryId, std::uint32_t) override {
        markStale();
    }
    void itemsAboutToBeRemoved(const store::ItemRows&) override { markStale(); }
    void itemChanged(const store::ItemRecord&, store::ItemFieldSet) override { markStale(); }
    void favouritesRenumbered() override { markStale(); }

private:
    // The title in the tray menu: the name of "WebFavorite", shown while the menu is stale too.
    void showTitle();
    // A submenu of `parent` that shows the entries of `category` from entry `first` on.
    QMenu* addSubmenu(QMenu& parent, const QString& title, store::CategoryId category,
                      std::size_t first);
    void addCategoryMenu(QMenu& parent, const store::CategoryRecord& category);
    void addLinkEntry(QMenu& menu, const store::ItemRecord& item);

    store::Database& m_db;
    bool m_stale = false;  // nothing built since the last change
    std::function<void(const std::string&)> m_openUrl;
};

}  // namespace lh::gui

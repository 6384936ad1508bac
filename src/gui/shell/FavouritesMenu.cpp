#include "gui/shell/FavouritesMenu.h"

#include "gui/shell/ShellPictures.h"
#include "gui/uikit/MenuText.h"
#include "gui/uikit/QtText.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

// The category a (sub)menu stands for; -1 when it is not filled from a category.
const char* const kCategoryProperty = "linkhavenCategory";
// The place, among the category's entries (sub-categories, then links), of the first one the
// (sub)menu shows: 0, or where the menu before it in a "More" chain stopped.
const char* const kFirstEntryProperty = "linkhavenFirstEntry";
// Set while a menu holds its entries.
const char* const kFilledProperty = "linkhavenFilled";

}  // namespace

FavouritesMenu::FavouritesMenu(store::Database& db, QWidget* parent) : QMenu(parent), m_db(db) {
    setObjectName("favouritesMenu");
    setProperty(kCategoryProperty, int(store::kFavoritesId));
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, [this] { fill(*this); });
    markStale();
    showTitle();
    m_db.addObserver(this);
}

FavouritesMenu::~FavouritesMenu() {
    m_db.removeObserver(this);
}

void FavouritesMenu::markStale() {
    if (m_stale) {
        return;  // a hundred thousand events in a row cost nothing more
    }
    m_stale = true;
    // Submenus are children of this menu; clearing deletes those built so far.
    clear();
    for (QMenu* sub : findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        sub->deleteLater();
    }
    setProperty(kFilledProperty, false);
}

void FavouritesMenu::showTitle() {
    const store::CategoryRecord* favourites = m_db.findCategory(store::kFavoritesId);
    const QString name =
        favourites != nullptr ? toQString(favourites->name()) : QStringLiteral("WebFavorite");
    setTitle(menuEntryText(name));
    menuAction()->setToolTip(plainToolTip(name));
    menuAction()->setEnabled(favourites != nullptr);
}

void FavouritesMenu::bulkChangeEnded(bool) {
    markStale();
    showTitle();  // another database may have been loaded
}

void FavouritesMenu::categoryChanged(const store::CategoryRecord& category,
                                     store::CategoryFieldSet) {
    markStale();
    if (category.id() == store::kFavoritesId) {
        showTitle();
    }
}

bool FavouritesMenu::hasFavourites() const {
    return m_db.findCategory(store::kFavoritesId) != nullptr;
}

QMenu* FavouritesMenu::addSubmenu(QMenu& parent, const QString& title, store::CategoryId category,
                                  std::size_t first) {
    auto* sub = new QMenu(title, this);
    sub->setProperty(kCategoryProperty, int(category));
    sub->setProperty(kFirstEntryProperty, qulonglong(first));
    sub->setProperty(kFilledProperty, false);
    sub->setToolTipsVisible(true);
    connect(sub, &QMenu::aboutToShow, this, [this, sub] { fill(*sub); });
    parent.addMenu(sub);
    return sub;
}

void FavouritesMenu::addCategoryMenu(QMenu& parent, const store::CategoryRecord& category) {
    const QString name = toQString(category.name());
    QMenu* sub = addSubmenu(parent, menuEntryText(name), category.id(), 0);
    sub->menuAction()->setToolTip(plainToolTip(name));
}

void FavouritesMenu::addLinkEntry(QMenu& menu, const store::ItemRecord& item) {
    const QString title = toQString(item.title());
    QAction* entry = menu.addAction(ratePicture(item.rate()), menuEntryText(title));
    entry->setToolTip(plainToolTip(title + QLatin1Char('\n') + toQString(item.address())));
    const std::uint32_t menuId = item.menuId();
    connect(entry, &QAction::triggered, this, [this, menuId] { openEntry(menuId); });
}

void FavouritesMenu::fill(QMenu& menu) {
    if (menu.property(kFilledProperty).toBool()) {
        return;
    }
    menu.setProperty(kFilledProperty, true);
    m_stale = false;
    const store::CategoryRecord* category =
        m_db.findCategory(static_cast<std::uint16_t>(menu.property(kCategoryProperty).toInt()));
    if (category == nullptr) {
        return;
    }
    // Entries before `first` are on the menus earlier in the chain; those from `end` on go to
    // "More". The rest of the walk only counts them, so that "More" can say how many.
    const auto first = static_cast<std::size_t>(menu.property(kFirstEntryProperty).toULongLong());
    const std::size_t end = first + kEntriesPerMenu;
    std::size_t place = 0;
    for (const store::CategoryRecord* child = category->firstChild(); child != nullptr;
         child = child->nextSibling(), ++place) {
        if (place >= first && place < end) {
            addCategoryMenu(menu, *child);
        }
    }
    for (const store::ItemRecord* item = category->firstItem(); item != nullptr;
         item = item->next()) {
        if (item->menuId() == store::kNoMenuId) {
            continue;  // files and reminders have no entry
        }
        if (place >= first && place < end) {
            addLinkEntry(menu, *item);
        }
        ++place;
    }
    if (place > end) {
        addSubmenu(menu, QStringLiteral("More (%1)").arg(place - end), category->id(), end);
    } else if (menu.actions().isEmpty()) {
        menu.addAction(QStringLiteral("(empty)"))->setEnabled(false);  // not an arrow to nothing
    }
}

void FavouritesMenu::openEntry(std::uint32_t menuId) {
    const store::ItemRecord* item = m_db.findMenuItem(menuId);
    if (item != nullptr && m_openUrl) {
        m_openUrl(std::string(item->address()));
    }
}

}  // namespace lh::gui

#include "gui/shell/FavouritesMenu.h"

#include "gui/shell/ShellPictures.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

// The category a (sub)menu stands for; -1 when it is not filled from a category.
const char* const kCategoryProperty = "linkhavenCategory";
// Set while a menu holds its entries.
const char* const kFilledProperty = "linkhavenFilled";

}  // namespace

FavouritesMenu::FavouritesMenu(store::Database& db, QWidget* parent) : QMenu(parent), m_db(db) {
    setObjectName("favouritesMenu");
    setProperty(kCategoryProperty, int(store::kFavoritesId));
    connect(this, &QMenu::aboutToShow, this, [this] { fill(*this); });
    markStale();
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
    const store::CategoryRecord* favourites = m_db.findCategory(store::kFavoritesId);
    setTitle(favourites != nullptr ? QString::fromStdString(favourites->name())
                                   : QStringLiteral("WebFavorite"));
    menuAction()->setEnabled(favourites != nullptr);
}

bool FavouritesMenu::hasFavourites() const {
    return m_db.findCategory(store::kFavoritesId) != nullptr;
}

QMenu* FavouritesMenu::addCategoryMenu(QMenu& parent, const store::CategoryRecord& category) {
    auto* sub = new QMenu(QString::fromStdString(category.name()), this);
    sub->setProperty(kCategoryProperty, int(category.id()));
    sub->setProperty(kFilledProperty, false);
    connect(sub, &QMenu::aboutToShow, this, [this, sub] { fill(*sub); });
    parent.addMenu(sub);
    return sub;
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
    for (const store::CategoryRecord* child = category->firstChild(); child != nullptr;
         child = child->nextSibling()) {
        addCategoryMenu(menu, *child);
    }
    for (const store::ItemRecord* item = category->firstItem(); item != nullptr;
         item = item->next()) {
        if (item->menuId() == store::kNoMenuId) {
            continue;  // files and reminders have no entry
        }
        QString title = QString::fromUtf8(item->title().data(), qsizetype(item->title().size()));
        title.replace('&', QStringLiteral("&&"));  // a title is not a mnemonic
        QAction* entry = menu.addAction(ratePicture(item->rate()), title);
        const std::uint32_t menuId = item->menuId();
        connect(entry, &QAction::triggered, this, [this, menuId] { openEntry(menuId); });
    }
}

void FavouritesMenu::openEntry(std::uint32_t menuId) {
    const store::ItemRecord* item = m_db.findMenuItem(menuId);
    if (item != nullptr && m_openUrl) {
        m_openUrl(std::string(item->address()));
    }
}

}  // namespace lh::gui

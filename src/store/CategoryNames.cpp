#include "store/CategoryNames.h"

#include <algorithm>

#include "store/Database.h"

namespace lh::store {

namespace {

const std::string& nameOf(const CategoryRecord& category) {
    static const std::string favourites = "WebFavorite";
    return category.id() == kFavoritesId ? favourites : category.name();
}

}  // namespace

std::vector<std::string> categoryNames(const CategoryRecord& category) {
    std::vector<std::string> names;
    for (const CategoryRecord* c = &category; c != nullptr && c->parent() != nullptr;
         c = c->parent()) {
        names.push_back(nameOf(*c));
    }
    std::reverse(names.begin(), names.end());
    return names;
}

const CategoryRecord* findCategoryByNames(const Database& db, const std::vector<std::string>& names,
                                          std::size_t* reached) {
    const CategoryRecord* at = db.root();
    std::size_t found = 0;
    for (const std::string& name : names) {
        const CategoryRecord* child = at != nullptr ? at->firstChild() : nullptr;
        while (child != nullptr && nameOf(*child) != name) {
            child = child->nextSibling();
        }
        if (child == nullptr) {
            at = nullptr;
            break;
        }
        at = child;
        ++found;
    }
    if (reached != nullptr) {
        *reached = found;
    }
    return at;
}

}  // namespace lh::store

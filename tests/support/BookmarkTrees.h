#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/Database.h"

namespace lh::test {

// Every URL item under category `top` as "path|title|address", where the path names the
// categories from below `top` ("" for `top` itself, "A/B" below it): a category's items, then
// its sub-categories in order, depth first.
inline std::vector<std::string> linksUnder(const store::Database& db,
                                           std::uint16_t top = store::kFavoritesId) {
    std::vector<std::string> lines;
    std::vector<std::pair<const store::CategoryRecord*, std::string>> stack;
    stack.emplace_back(db.findCategory(top), "");
    while (!stack.empty()) {
        auto [category, path] = stack.back();
        stack.pop_back();
        for (const auto* item = category->firstItem(); item != nullptr; item = item->next()) {
            lines.push_back(path + "|" + std::string(item->title()) + "|" +
                            std::string(item->address()));
        }
        std::vector<const store::CategoryRecord*> children;
        for (const auto* c = category->firstChild(); c != nullptr; c = c->nextSibling()) {
            children.push_back(c);
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            stack.emplace_back(*it, path.empty() ? (*it)->name() : path + "/" + (*it)->name());
        }
    }
    return lines;
}

// The child of `parent` named `name`, or null.
inline const store::CategoryRecord* childNamed(const store::Database& db, std::uint16_t parent,
                                               const std::string& name) {
    for (const auto* c = db.findCategory(parent)->firstChild(); c != nullptr;
         c = c->nextSibling()) {
        if (c->name() == name) {
            return c;
        }
    }
    return nullptr;
}

inline std::string dataFile(const std::string& name) {
    return std::string(LINKHAVEN_TEST_DATA) + "/" + name;
}

}  // namespace lh::test

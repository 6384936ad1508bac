#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bookmarks/ImportResult.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

namespace lh::test {

// Every URL item under category `top` as "path|title|address", where the path names the
// categories from below `top` ("" for `top` itself, "A/B" below it): a category's items, then
// its sub-categories in order, depth first.
inline std::vector<std::string> linksUnder(const store::Database& db,
                                           std::uint16_t top = store::kFavoritesId) {
    std::vector<std::string> lines;
    const auto add = [&](const store::CategoryRecord& c) {
        std::string path;
        for (const auto* p = &c; p->id() != top; p = p->parent()) {
            path = p->name() + (path.empty() ? "" : "/") + path;
        }
        store::walkItems(c, [&](const store::ItemRecord& item) {
            lines.push_back(path + "|" + std::string(item.title()) + "|" +
                            std::string(item.address()));
            return false;
        });
        return false;
    };
    add(*db.findCategory(top));
    store::walkDescendants(*db.findCategory(top), add);
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

// An import's counts as "categories items duplicates skipped", followed by " long:N" when links
// were skipped for a too long address.
inline std::string counts(const bookmarks::ImportResult& r) {
    return std::to_string(r.categoriesAdded) + " " + std::to_string(r.itemsAdded) + " " +
           std::to_string(r.duplicatesSkipped) + " " + std::to_string(r.linksSkipped) +
           (r.tooLongSkipped > 0 ? " long:" + std::to_string(r.tooLongSkipped) : "");
}

// What every import test starts from: a default database, a folder of its own and options whose
// clock stands still.
class ImportFixture : public ::testing::Test {
protected:
    ImportFixture() { db.createDefault(); }

    FakeClock clock;
    bookmarks::ImportOptions options{3, &clock, {}};
    store::Database db;
    TempDir dir;
};

}  // namespace lh::test

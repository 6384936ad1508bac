#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::store {
class CategoryRecord;
class Database;
}  // namespace lh::store

namespace lh::cli {

// A category named by its path from the root's child: "WebFavorite/BBS". In a name, "/" is
// written "\/" and "\" is written "\\". Nothing when a "\" escapes anything else or ends the
// text, or a name is empty.
std::optional<std::vector<std::string>> parseCategoryPath(std::string_view text);

// The path text of `names`, escaped as parseCategoryPath reads it.
std::string formatCategoryPath(const std::vector<std::string>& names);

// Where a path leads: the category, or the path as far as the first name that is not there.
struct CategoryLookup {
    const store::CategoryRecord* category = nullptr;
    std::string missing;  // e.g. "WebFavorite/Nope" when category is null
};
CategoryLookup findCategory(const store::Database& db, const std::vector<std::string>& names);

}  // namespace lh::cli

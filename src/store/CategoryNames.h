#pragma once

#include <string>
#include <vector>

namespace lh::store {

class CategoryRecord;
class Database;

// A category named by the names from the root's child down to it: what stays the same when
// the file is loaded again, where ids follow the order of the file. The favourites category is
// always "WebFavorite" here, the name every load gives it (a new database spells it otherwise).
std::vector<std::string> categoryNames(const CategoryRecord& category);

// The category `names` lead to from the root, byte for byte; among siblings of the same name the
// first in tree order. With `reached`, how many names were found (all of them when a category
// is returned).
const CategoryRecord* findCategoryByNames(const Database& db, const std::vector<std::string>& names,
                                          std::size_t* reached = nullptr);

}  // namespace lh::store

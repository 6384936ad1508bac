#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/ImportResult.h"

namespace lh::store {
class Database;
struct CategoryRecord;
}  // namespace lh::store

namespace lh::import {

// The largest bookmark file read (exports with favicons are big).
inline constexpr std::uint64_t kMaxBookmarkFileSize = std::uint64_t(1) << 30;

// Imports the Netscape bookmark file at `path` into the favourites category (id 1): its folders
// become categories (existing ones of the same name reused), its links URL items (addresses
// stored anywhere already are skipped). The file is mapped read-only and converted in memory
// (see TextDecoder.h); nothing is written beside it. On error (unreadable, too big, not a
// bookmark file) result.error says so; what was added before an import ended stays.
ImportResult importBookmarkFile(store::Database& db, const std::string& path,
                                const ImportOptions& options = {});

// The same for the bytes of a bookmark file already in memory.
ImportResult importBookmarkBytes(store::Database& db, std::string_view bytes,
                                 const ImportOptions& options = {});

// The id of the child of category `parentId` named exactly `name` (the favourites category
// stands in for a missing parent), made as a favourites-class category with `folderPath` when
// there is none. 0 when neither the parent nor the favourites category exists, or no more
// category ids are left.
std::uint16_t findOrCreateCategory(store::Database& db, std::string_view name,
                                   std::string_view folderPath, std::uint16_t parentId);

// Adds a new favourites-class category (0x10, whatever the parent's class) named `name` as the
// last child of `parent`. Null when no more category ids are left.
store::CategoryRecord* addImportedCategory(store::Database& db, std::string_view name,
                                           std::string_view folderPath,
                                           store::CategoryRecord& parent);

}  // namespace lh::import

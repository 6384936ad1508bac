#pragma once

#include <cstdint>
#include <string>

#include "bookmarks/ImportResult.h"

namespace lh::store {
class Database;
}

namespace lh::bookmarks {

// Imports a Favorites folder (a tree of Internet-shortcut files) into category `categoryId`:
// each sub-folder becomes a category below the category of its parent folder (an existing one
// of that name is reused; an empty sub-folder still gets its category), each "*.url" file (the
// extension in any letter case) a URL item titled like the file without the extension.
// Entries are taken sorted by name, so the same folder always imports the same way. The walk
// uses no recursion, does not follow symbolic links to folders and opens regular files only,
// read-only. A folder that cannot be listed is passed over; the walk stops only when no more
// categories can be made, or when the progress callback cancels. result.error tells why the
// top folder could not be read.
ImportResult importFavoritesFolder(store::Database& db, const std::string& folder,
                                   std::uint16_t categoryId, const ImportOptions& options = {});

// Imports one shortcut file at `path` into `categoryId` as importFavoritesFolder does. A file
// without an address adds nothing; an unreadable one sets result.error.
ImportResult importShortcutFile(store::Database& db, const std::string& path,
                                std::uint16_t categoryId, const ImportOptions& options = {});

}  // namespace lh::bookmarks

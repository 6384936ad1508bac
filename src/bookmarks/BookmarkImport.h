#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bookmarks/ImportResult.h"

namespace lh::store {
class Database;
}

namespace lh::bookmarks {

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

}  // namespace lh::bookmarks

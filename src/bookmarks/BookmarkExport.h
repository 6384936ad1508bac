#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
}

namespace lh::bookmarks {

// What an export wrote.
struct ExportResult {
    std::size_t categories = 0;  // folders written
    std::size_t links = 0;       // links written
    std::string error;           // empty, or why the file could not be written
    bool cancelled = false;      // the progress callback stopped it; no file was written
};

// Told every few thousand items with the items looked at so far and the number below the
// exported category; returns false to stop the export.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// What a long export lets the program do meanwhile.
struct ExportHooks {
    ExportProgress progress;
    // Runs the last step (flushing the file to disk and putting it in place), which touches no
    // record: it may run on another thread while the event loop goes on.
    std::function<void(const std::function<void()>& step)> finish;
};

// The Netscape bookmark file (the format Firefox and Chromium import) of category `top` and
// everything below it: DOCTYPE, META charset UTF-8, TITLE, H1, then nested DL lists with a DT
// and H3 per category and a DT and A per URL item (HREF, ADD_DATE from its createTime), a
// category's items before its sub-categories, texts escaped. The favourites category's contents
// stand at the top level; any other `top` is written as one folder. Only URL items with an
// address are written. Counts go to `counts`.
std::string bookmarkFileText(const store::Database& db, std::uint16_t top, ExportResult& counts);

// Writes bookmarkFileText() to `path` crash-safely, a piece at a time (the old file stays whole
// on failure). When the progress hook stops it, the old file stays too and no new one is left.
ExportResult exportBookmarkFile(const store::Database& db, const std::string& path,
                                std::uint16_t top = store::kFavoritesId,
                                platform::FileSystem& fs = platform::realFileSystem(),
                                const ExportHooks& hooks = {});

}  // namespace lh::bookmarks

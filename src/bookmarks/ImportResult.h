#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/SystemClock.h"

namespace lh::bookmarks {

// What an import did. The counts cover everything added before the import ended, however it
// ended: nothing added is ever taken back.
struct ImportResult {
    std::size_t categoriesAdded = 0;    // categories made (existing ones of the same name reused)
    std::size_t itemsAdded = 0;         // URL items added
    std::size_t duplicatesSkipped = 0;  // links whose address was stored already (ignoring case)
    // Links passed over by the rules: no title, no address, an HREF not in double quotes, or an
    // address no link may keep (one that starts with "-" or holds a line break).
    std::size_t linksSkipped = 0;
    std::size_t tooLongSkipped = 0;  // links whose address is longer than 2000 bytes
    bool bookmarkFile = true;        // false when a file lacked the bookmark-file header
    bool cancelled = false;          // the progress callback asked to stop
    std::string error;               // empty, or why the source could not be (wholly) read
};

// Tells how far an import got: `done` of `total` (bytes of a file, rows of a places database;
// total 0 when unknown, as in a folder walk). Returns false to cancel; what was imported stays.
using ProgressFn = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// How an import fills the database.
struct ImportOptions {
    std::uint8_t rate = 3;  // the rate of new URL items (the default rate of new URL items)
    const platform::Clock* clock = &platform::systemClock();  // gives the items' createTime
    ProgressFn progress;                                      // may be empty
};

// The one-line summary of `result` for the status bar, e.g. "Imported 5 links into 2 new
// categories; 1 duplicates skipped.", prefixed with "Import cancelled. " after a cancel and
// followed by the links skipped by the rules or for a too long address, when there are any; the
// error text when the import could not read its source and added nothing.
std::string summaryText(const ImportResult& result);

}  // namespace lh::bookmarks

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bookmarks/BookmarkSink.h"
#include "bookmarks/ImportResult.h"

namespace lh::bookmarks {

// Reads the bookmarks of a Firefox places database ("places.sqlite") and tells them to a sink
// as Firefox's own bookmark-file export lists them: the contents of the bookmarks menu at the
// top, then "Bookmarks Toolbar", "Other Bookmarks" and "Mobile Bookmarks" as folders when they
// are not empty. Tags and separators are left out; children keep their positions.
//
// Firefox keeps the database locked while it runs, so the file and its write-ahead log
// ("-wal", holding the latest changes) are copied into memory and read there through SQLite:
// nothing is opened for writing, and no file is made anywhere.
class PlacesReader {
public:
    // Reads the database at `path`. False when it cannot be read or is not a places database
    // (error() says why).
    bool open(const std::string& path);
    // Tells the bookmarks to `sink`, calling `progress` (which may be empty) with rows done of
    // rows in all. False when the sink stopped or progress cancelled (`cancelled` says which).
    bool replay(BookmarkSink& sink, const ProgressFn& progress, bool& cancelled) const;

    const std::string& error() const { return m_error; }
    std::size_t rowCount() const { return m_rows.size(); }

private:
    struct Row {
        std::int64_t id = 0;
        std::int64_t parent = 0;
        std::int64_t position = 0;
        int type = 0;  // 1 bookmark, 2 folder, 3 separator
        std::string title;
        std::string url;
        std::string guid;
    };

    class Walk;

    bool load(const std::string& path, std::string bytes, std::string log);

    std::vector<Row> m_rows;  // sorted by parent, then position
    std::string m_error;
};

}  // namespace lh::bookmarks

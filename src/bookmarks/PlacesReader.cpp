#include "bookmarks/PlacesReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "bookmarks/BookmarkImport.h"
#include "bookmarks/MemoryVfs.h"
#include "bookmarks/TextDecoder.h"
#include "platform/Folder.h"
#include "platform/IoError.h"

namespace lh::bookmarks {

namespace {

// The fixed guids of the roots of Firefox's bookmark tree. The tags root is never walked.
constexpr const char* kMenuGuid = "menu________";
constexpr std::string_view kRootGuids[] = {"root________", "menu________", "toolbar_____",
                                           "tags________", "unfiled_____", "mobile______"};

struct NamedRoot {
    const char* guid;
    const char* name;  // as the export names the folder
};
constexpr NamedRoot kFolderRoots[] = {{"toolbar_____", "Bookmarks Toolbar"},
                                      {"unfiled_____", "Other Bookmarks"},
                                      {"mobile______", "Mobile Bookmarks"}};

constexpr const char* kQuery =
    "SELECT b.id, b.parent, b.position, b.type, b.title, p.url, b.guid "
    "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
    "ORDER BY b.parent, b.position, b.id";

constexpr std::uint64_t kProgressStep = 1024;

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    if (text == nullptr) {
        return {};
    }
    return toUtf8({reinterpret_cast<const char*>(text),
                   static_cast<std::size_t>(sqlite3_column_bytes(statement, column))});
}

// Reads a whole file; false with `error` set when it cannot be read or is too big.
bool readWhole(const std::string& path, std::string& bytes, int& error) {
    error = platform::readFilePrefix(path, kMaxBookmarkFileSize + 1, bytes);
    if (error == 0 && bytes.size() > kMaxBookmarkFileSize) {
        error = EFBIG;
    }
    return error == 0;
}

}  // namespace

bool PlacesReader::open(const std::string& path) {
    m_rows.clear();
    m_error.clear();
    std::string bytes;
    int error = 0;
    if (!readWhole(path, bytes, error)) {
        m_error = "Cannot read the Firefox bookmarks: " +
                  platform::IoError("read", path, error).userMessage();
        return false;
    }
    std::string log;
    if (!readWhole(path + "-wal", log, error)) {
        log.clear();  // no log: everything is in the database file
    }
    return load(path, std::move(bytes), std::move(log));
}

bool PlacesReader::load(const std::string& path, std::string bytes, std::string log) {
    MemoryVfs vfs;
    vfs.addFile("places.sqlite", std::move(bytes));
    if (!log.empty()) {
        vfs.addFile("places.sqlite-wal", std::move(log));
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2("places.sqlite", &db, SQLITE_OPEN_READONLY, vfs.name().c_str());
    sqlite3_stmt* statement = nullptr;
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr);
    }
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
        if (rc != SQLITE_ROW) {
            break;
        }
        Row row;
        row.id = sqlite3_column_int64(statement, 0);
        row.parent = sqlite3_column_int64(statement, 1);
        row.position = sqlite3_column_int64(statement, 2);
        row.type = sqlite3_column_int(statement, 3);
        row.title = columnText(statement, 4);
        row.url = columnText(statement, 5);
        row.guid = columnText(statement, 6);
        m_rows.push_back(std::move(row));
    }
    const std::string reason = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_finalize(statement);
    sqlite3_close(db);
    const bool hasMenu =
        std::any_of(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.guid == kMenuGuid; });
    if (rc != SQLITE_DONE || !hasMenu) {
        m_rows.clear();
        m_error = "\"" + path + "\" is not a Firefox bookmarks database" +
                  (rc != SQLITE_DONE ? " (" + reason + ")." : ".");
        return false;
    }
    return true;
}

// One replay: the rows indexed by parent, and what has been told so far.
class PlacesReader::Walk {
public:
    using Range = std::pair<std::size_t, std::size_t>;

    Walk(const std::vector<Row>& rows, BookmarkSink& sink, const ProgressFn& progress)
        : m_rows(rows), m_sink(sink), m_progress(progress) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            // The children of a folder are one run of rows, since they are sorted by parent.
            auto [it, isNew] = m_children.try_emplace(rows[i].parent, i, i);
            it->second.second = i + 1;
            if (std::find(std::begin(kRootGuids), std::end(kRootGuids), rows[i].guid) !=
                std::end(kRootGuids)) {
                m_roots.emplace(rows[i].guid, rows[i].id);
                m_seen.insert(rows[i].id);  // a root is never told as a folder of another
            }
        }
    }

    bool run() {
        if (const auto menu = m_roots.find(kMenuGuid);
            menu != m_roots.end() && !walk(menu->second)) {
            return false;
        }
        for (const NamedRoot& named : kFolderRoots) {
            const auto root = m_roots.find(named.guid);
            if (root == m_roots.end() ||
                childrenOf(root->second).first == childrenOf(root->second).second) {
                continue;
            }
            if (!m_sink.folder(named.name) || !walk(root->second) || !m_sink.listEnd()) {
                return false;
            }
        }
        if (m_progress) {
            m_progress(m_rows.size(), m_rows.size());
        }
        return true;
    }

    bool cancelled() const { return m_cancelled; }

private:
    Range childrenOf(std::int64_t id) const {
        const auto it = m_children.find(id);
        return it == m_children.end() ? Range{0, 0} : it->second;
    }

    // Tells everything below folder `top`, depth first in position order, without recursion.
    bool walk(std::int64_t top) {
        std::vector<Range> stack{childrenOf(top)};
        while (!stack.empty()) {
            auto& [next, end] = stack.back();
            if (next == end) {
                stack.pop_back();
                if (!stack.empty() && !m_sink.listEnd()) {
                    return false;
                }
                continue;
            }
            const Row& row = m_rows[next++];
            if (++m_done % kProgressStep == 0 && m_progress && !m_progress(m_done, m_rows.size())) {
                m_cancelled = true;
                return false;
            }
            // Each row is told once, however the parent links run (a damaged file may hold a
            // cycle).
            if (!m_seen.insert(row.id).second) {
                continue;
            }
            if (row.type == 1 && !m_sink.link(row.title, row.url)) {
                return false;
            }
            if (row.type == 2) {
                if (!m_sink.folder(row.title)) {
                    return false;
                }
                stack.push_back(childrenOf(row.id));  // `next` and `end` are not used after this
            }
        }
        return true;
    }

    const std::vector<Row>& m_rows;
    BookmarkSink& m_sink;
    const ProgressFn& m_progress;
    std::unordered_map<std::int64_t, Range> m_children;
    std::unordered_map<std::string, std::int64_t> m_roots;
    std::unordered_set<std::int64_t> m_seen;
    std::uint64_t m_done = 0;
    bool m_cancelled = false;
};

bool PlacesReader::replay(BookmarkSink& sink, const ProgressFn& progress, bool& cancelled) const {
    Walk walk(m_rows, sink, progress);
    const bool done = walk.run();
    cancelled = walk.cancelled();
    return done;
}

}  // namespace lh::bookmarks

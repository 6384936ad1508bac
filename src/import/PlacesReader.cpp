#include "import/PlacesReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "import/BookmarkImport.h"
#include "import/MemoryVfs.h"
#include "import/TextDecoder.h"
#include "platform/Folder.h"
#include "platform/IoError.h"

namespace lh::import {

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
                  platform::IoError("read", path, error).message();
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

bool PlacesReader::replay(BookmarkSink& sink, const ProgressFn& progress, bool& cancelled) const {
    cancelled = false;
    // Children of each folder: a run of rows, since they are sorted by parent.
    std::unordered_map<std::int64_t, std::pair<std::size_t, std::size_t>> children;
    std::unordered_map<std::string, std::int64_t> roots;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        auto [it, isNew] = children.try_emplace(m_rows[i].parent, i, i);
        it->second.second = i + 1;
        if (std::find(std::begin(kRootGuids), std::end(kRootGuids), m_rows[i].guid) !=
            std::end(kRootGuids)) {
            roots.emplace(m_rows[i].guid, m_rows[i].id);
        }
    }
    const auto childrenOf = [&](std::int64_t id) {
        const auto it = children.find(id);
        return it == children.end() ? std::pair<std::size_t, std::size_t>{0, 0} : it->second;
    };
    // Each row is told once, however the parent links run (a damaged file may hold a cycle).
    std::unordered_set<std::int64_t> seen;
    for (const auto& [guid, id] : roots) {
        seen.insert(id);
    }
    std::uint64_t done = 0;
    const auto walk = [&](std::int64_t top) {
        std::vector<std::pair<std::size_t, std::size_t>> stack{childrenOf(top)};
        while (!stack.empty()) {
            auto& [next, end] = stack.back();
            if (next == end) {
                stack.pop_back();
                if (!stack.empty() && !sink.listEnd()) {
                    return false;
                }
                continue;
            }
            const Row& row = m_rows[next++];
            if (++done % kProgressStep == 0 && progress && !progress(done, m_rows.size())) {
                cancelled = true;
                return false;
            }
            if (!seen.insert(row.id).second) {
                continue;
            }
            if (row.type == 1 && !sink.link(row.title, row.url)) {
                return false;
            }
            if (row.type == 2) {
                if (!sink.folder(row.title)) {
                    return false;
                }
                stack.push_back(childrenOf(row.id));  // `next` and `end` are not used after this
            }
        }
        return true;
    };
    if (const auto menu = roots.find(kMenuGuid); menu != roots.end() && !walk(menu->second)) {
        return false;
    }
    for (const NamedRoot& named : kFolderRoots) {
        const auto root = roots.find(named.guid);
        if (root == roots.end()) {
            continue;
        }
        const auto [first, last] = childrenOf(root->second);
        if (first == last) {
            continue;
        }
        if (!sink.folder(named.name) || !walk(root->second) || !sink.listEnd()) {
            return false;
        }
    }
    if (progress) {
        progress(m_rows.size(), m_rows.size());
    }
    return true;
}

}  // namespace lh::import

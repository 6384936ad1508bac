#include "bookmarks/BookmarkExport.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileInfo.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::bookmarks {

namespace {

constexpr std::string_view kHeader =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\n"
    "     It will be read and overwritten.\n"
    "     DO NOT EDIT! -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks</H1>\n";

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            case '\0':
                break;
            default:
                out += c;
        }
    }
}

// Seconds since 1970 of a local time as the database keeps it; 0 when it holds no time.
long long unixTime(const store::DateTimeStamp& t) {
    if (t.year < 1970 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) {
        return 0;
    }
    const platform::FileTime time =
        platform::fileTimeOfLocal({t.year, t.month, t.day, t.hour, t.minute, t.second, 0});
    return time < 0 ? 0 : static_cast<long long>(time / 1'000'000'000);  // nanoseconds to seconds
}

// Indentation stops growing at some depth, so that deep trees do not give huge files.
void indent(std::string& out, std::size_t level) {
    out.append(4 * std::min<std::size_t>(level, 16), ' ');
}

// The text goes out in pieces of about this size, so that a million links never sit in memory
// as one string.
constexpr std::size_t kFlushSize = std::size_t(1) << 20;
// Items looked at between two progress reports.
constexpr std::size_t kItemsPerReport = 4096;

// Builds the text into a buffer that it hands to `flush` as it fills (when one is given), and
// reports progress.
class Writer {
public:
    Writer(std::function<bool(std::string_view)> flush, const ExportProgress& progress,
           std::size_t total, ExportResult& counts)
        : m_flush(std::move(flush)), m_progress(progress), m_total(total), m_counts(counts) {}

    std::string out;

    // False once the export stopped (a failed write, or progress said stop).
    bool going() const { return m_going; }
    bool finish() { return flush(); }

    void appendItems(const store::CategoryRecord& category, std::size_t level) {
        for (const store::ItemRecord* item = category.firstItem(); item != nullptr && m_going;
             item = item->next()) {
            if (item->kind() == store::kKindUrl && !item->address().empty()) {
                appendLink(*item, level);
            }
            afterItem();
        }
    }

    void openFolder(const store::CategoryRecord& category, std::size_t level) {
        indent(out, level);
        out += "<DT><H3>";
        appendEscaped(out, category.name());
        out += "</H3>\n";
        indent(out, level);
        out += "<DL><p>\n";
        ++m_counts.categories;
    }

private:
    void appendLink(const store::ItemRecord& item, std::size_t level) {
        indent(out, level);
        out += "<DT><A HREF=\"";
        appendEscaped(out, item.address());
        out += '"';
        if (const long long added = unixTime(item.createTime()); added > 0) {
            out += " ADD_DATE=\"" + std::to_string(added) + '"';
        }
        out += '>';
        appendEscaped(out, item.title());
        out += "</A>\n";
        ++m_counts.links;
    }

    void afterItem() {
        ++m_done;
        if (out.size() >= kFlushSize) {
            m_going = flush();
        }
        if (m_going && m_progress && m_done % kItemsPerReport == 0) {
            m_going = m_progress(m_done, m_total);
            m_counts.cancelled = !m_going;
        }
    }

    bool flush() {
        if (!m_flush) {
            return true;  // the caller takes the whole text
        }
        const bool written = m_flush(out);
        out.clear();
        return written;
    }

    std::function<bool(std::string_view)> m_flush;
    const ExportProgress& m_progress;
    std::size_t m_total;
    ExportResult& m_counts;
    std::size_t m_done = 0;
    bool m_going = true;
};

std::size_t itemsBelow(const store::CategoryRecord& top) {
    std::size_t items = top.itemCount();
    store::walkDescendants(top, [&](const store::CategoryRecord& c) {
        items += c.itemCount();
        return false;
    });
    return items;
}

// Writes the whole file through `w`; false when it stopped.
bool writeFile(const store::Database& db, std::uint16_t top, Writer& w) {
    w.out += kHeader;
    w.out += "<DL><p>\n";
    const store::CategoryRecord* start = db.findCategory(top);
    if (start != nullptr) {
        // Each open folder and the child to write next in it. Depth is bounded by the data, so
        // no recursion.
        struct Open {
            const store::CategoryRecord* category;
            const store::CategoryRecord* nextChild;
        };
        std::vector<Open> open;
        const bool wrapped = top != store::kFavoritesId;
        if (wrapped) {
            w.openFolder(*start, 1);
        }
        const std::size_t base = wrapped ? 2 : 1;
        w.appendItems(*start, base);
        open.push_back({start, start->firstChild()});
        while (!open.empty() && w.going()) {
            Open& current = open.back();
            const std::size_t level = base + open.size() - 1;
            if (current.nextChild == nullptr) {
                open.pop_back();
                if (!open.empty()) {
                    indent(w.out, level - 1);
                    w.out += "</DL><p>\n";
                }
                continue;
            }
            const store::CategoryRecord* child = current.nextChild;
            current.nextChild = child->nextSibling();
            w.openFolder(*child, level);
            w.appendItems(*child, level + 1);
            open.push_back({child, child->firstChild()});
        }
        if (wrapped) {
            indent(w.out, 1);
            w.out += "</DL><p>\n";
        }
    }
    w.out += "</DL><p>\n";
    return w.going() && w.finish();
}

}  // namespace

std::string bookmarkFileText(const store::Database& db, std::uint16_t top, ExportResult& counts) {
    const ExportProgress none;
    Writer writer(nullptr, none, 0, counts);
    writeFile(db, top, writer);
    return std::move(writer.out);
}

ExportResult exportBookmarkFile(const store::Database& db, const std::string& path,
                                std::uint16_t top, platform::FileSystem& fs,
                                const ExportHooks& hooks) {
    ExportResult result;
    platform::AtomicFile file(fs);
    if (!file.open(path)) {
        result.error = "Cannot write the bookmark file: " + file.error().userMessage();
        return result;
    }
    const store::CategoryRecord* start = db.findCategory(top);
    Writer writer([&file](std::string_view text) { return file.write(text.data(), text.size()); },
                  hooks.progress, start != nullptr ? itemsBelow(*start) : 0, result);
    // A cancelled export leaves no file: the temporary one goes with `file`.
    bool written = writeFile(db, top, writer);
    if (written) {
        const auto commit = [&file, &written] { written = file.commit(); };
        hooks.finish ? hooks.finish(commit) : commit();
    }
    if (written) {
        return result;
    }
    if (!result.cancelled) {
        result.error = "Cannot write the bookmark file: " + file.error().userMessage();
    }
    return result;
}

}  // namespace lh::bookmarks

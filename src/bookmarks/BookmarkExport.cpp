#include "bookmarks/BookmarkExport.h"

#include <algorithm>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileInfo.h"
#include "store/Database.h"

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

void appendItems(std::string& out, const store::CategoryRecord& category, std::size_t level,
                 ExportResult& counts) {
    for (const store::ItemRecord* item = category.firstItem(); item != nullptr;
         item = item->next()) {
        if (item->kind() != store::kKindUrl || item->address().empty()) {
            continue;
        }
        indent(out, level);
        out += "<DT><A HREF=\"";
        appendEscaped(out, item->address());
        out += '"';
        if (const long long added = unixTime(item->createTime()); added > 0) {
            out += " ADD_DATE=\"" + std::to_string(added) + '"';
        }
        out += '>';
        appendEscaped(out, item->title());
        out += "</A>\n";
        ++counts.links;
    }
}

void openFolder(std::string& out, const store::CategoryRecord& category, std::size_t level,
                ExportResult& counts) {
    indent(out, level);
    out += "<DT><H3>";
    appendEscaped(out, category.name());
    out += "</H3>\n";
    indent(out, level);
    out += "<DL><p>\n";
    ++counts.categories;
}

}  // namespace

std::string bookmarkFileText(const store::Database& db, std::uint16_t top, ExportResult& counts) {
    std::string out(kHeader);
    out += "<DL><p>\n";
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
            openFolder(out, *start, 1, counts);
        }
        const std::size_t base = wrapped ? 2 : 1;
        appendItems(out, *start, base, counts);
        open.push_back({start, start->firstChild()});
        while (!open.empty()) {
            Open& current = open.back();
            const std::size_t level = base + open.size() - 1;
            if (current.nextChild == nullptr) {
                open.pop_back();
                if (!open.empty()) {
                    indent(out, level - 1);
                    out += "</DL><p>\n";
                }
                continue;
            }
            const store::CategoryRecord* child = current.nextChild;
            current.nextChild = child->nextSibling();
            openFolder(out, *child, level, counts);
            appendItems(out, *child, level + 1, counts);
            open.push_back({child, child->firstChild()});
        }
        if (wrapped) {
            indent(out, 1);
            out += "</DL><p>\n";
        }
    }
    out += "</DL><p>\n";
    return out;
}

ExportResult exportBookmarkFile(const store::Database& db, const std::string& path,
                                std::uint16_t top, platform::FileSystem& fs) {
    ExportResult result;
    const std::string text = bookmarkFileText(db, top, result);
    platform::AtomicFile file(fs);
    if (!file.open(path) || !file.write(text.data(), text.size()) || !file.commit()) {
        result.error = "Cannot write the bookmark file: " + file.error().userMessage();
    }
    return result;
}

}  // namespace lh::bookmarks

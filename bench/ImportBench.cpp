// Measures the bookmark-file import on a generated file of 100,000 links in nested folders (1%
// of them repeat an earlier address in other letter case): the whole import into a new default
// database with the save, the scanner alone, and, when they are installed, the same import by
// keditbookmarks (--importmoz, offscreen) and buku (-i, with its own data folder) in the same
// run. Prints a table; never fails on time.
//
//   linkhaven-bench-import [LINKS] [RUNS] [--no-peers]

#include <unistd.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "GeneratedBookmarks.h"
#include "PeerPrograms.h"
#include "bookmarks/BookmarkImport.h"
#include "bookmarks/BookmarkScanner.h"
#include "store/Database.h"

namespace {

using lh::bench::countInFile;
using lh::bench::median;
using lh::bench::onPath;
using lh::bench::secondsOf;

class Counter final : public lh::bookmarks::BookmarkSink {
public:
    std::size_t links = 0;
    bool folder(std::string_view) override { return true; }
    bool link(std::string_view, std::string_view) override { return ++links, true; }
    bool listEnd() override { return true; }
};

std::size_t countBukuRows(const std::string& path) {
    sqlite3* db = nullptr;
    std::size_t rows = 0;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM bookmarks", -1, &s, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW) {
            rows = static_cast<std::size_t>(sqlite3_column_int64(s, 0));
        }
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return rows;
}

struct Row {
    std::string name;
    double seconds = -1;
    std::size_t kept = 0;
    std::string note;
};

// keditbookmarks converting the file to its XBEL bookmarks, with a home of its own.
Row runKeditbookmarks(const std::string& dir, const std::string& html) {
    const lh::bench::PeerRun run = lh::bench::runKeditbookmarks(dir, html);
    return {"keditbookmarks --importmoz", run.seconds, run.kept, run.note};
}

// buku importing the file into a database in a data folder of its own.
Row runBuku(const std::string& dir, const std::string& html) {
    Row row{"buku --nostdin --tacit -i", -1, 0, ""};
    if (!onPath("buku")) {
        row.note = "not installed (apt-get install buku)";
        return row;
    }
    const std::string data = dir + "/buku-data";
    std::filesystem::create_directories(data);
    const std::string command = "cd '" + dir + "' && HOME='" + dir + "' XDG_DATA_HOME='" + data +
                                "' buku --nostdin --tacit -i '" + html +
                                "' </dev/null >/dev/null 2>&1";
    row.seconds = secondsOf([&] { (void)std::system(command.c_str()); });
    row.kept = countBukuRows(data + "/buku/bookmarks.db");
    return row;
}

// The scanner alone over the text in memory: median seconds; `links` gets the links seen.
double timeScanner(const std::string& text, int runs, std::size_t& links) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        Counter counter;
        times.push_back(secondsOf([&] {
            lh::bookmarks::BookmarkScanner scanner(counter);
            scanner.feed(text);
            scanner.finish();
        }));
        links = counter.links;
    }
    return median(times);
}

// The whole import: read the file, convert, scan, fill a new default database, save it.
Row timeImport(const std::string& dir, const std::string& html, int runs) {
    std::vector<double> times;
    std::size_t kept = 0;
    for (int run = 0; run < runs; ++run) {
        times.push_back(secondsOf([&] {
            lh::store::Database db;
            db.createDefault();
            const auto result = lh::bookmarks::importBookmarkFile(db, html);
            lh::platform::IoError error;
            if (!result.error.empty() || !db.save(dir + "/import.lhd", error)) {
                std::abort();
            }
            kept = result.itemsAdded;
        }));
    }
    return {"linkhaven (import + save, median)", median(times), kept, ""};
}

}  // namespace

int main(int argc, char* argv[]) {
    std::size_t links = 100'000;
    int runs = 5;
    bool peers = true;
    std::vector<std::string> numbers;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-peers") {
            peers = false;
        } else {
            numbers.emplace_back(argv[i]);
        }
    }
    if (!numbers.empty()) {
        links = std::strtoul(numbers[0].c_str(), nullptr, 10);
    }
    if (numbers.size() > 1) {
        runs = std::max(1, std::atoi(numbers[1].c_str()));
    }
    char pattern[] = "/tmp/lh-bench-import-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    const std::string html = dir + "/bookmarks.html";
    std::size_t duplicates = 0;
    const std::string text = lh::bench::generateBookmarkFile(links, duplicates);
    std::ofstream(html, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("generated %zu links (%zu case-only duplicates) in 1,050 folders: %.1f MB\n", links,
                duplicates, megabytes);

    std::size_t scanned = 0;
    const double scanSeconds = timeScanner(text, runs, scanned);
    const Row ours = timeImport(dir, html, runs);

    std::vector<Row> rows;
    rows.push_back(ours);
    if (peers) {
        rows.push_back(runKeditbookmarks(dir, html));
        rows.push_back(runBuku(dir, html));
    }

    std::printf("\n%-36s %10s %12s %14s\n", "import of the same file", "seconds", "links kept",
                "x linkhaven");
    for (const Row& row : rows) {
        if (row.seconds < 0) {
            std::printf("%-36s %s\n", row.name.c_str(), row.note.c_str());
            continue;
        }
        std::printf("%-36s %10.3f %12zu %13.1fx\n", row.name.c_str(), row.seconds, row.kept,
                    row.seconds / rows[0].seconds);
    }
    std::printf("\n%-36s %10.1f MB/s  (%zu links seen, median of %d)\n", "scanner alone",
                megabytes / scanSeconds, scanned, runs);
    std::printf("%-36s %10.1f MB/s\n", "whole import with save", megabytes / ours.seconds);
    std::filesystem::remove_all(dir);
    return 0;
}

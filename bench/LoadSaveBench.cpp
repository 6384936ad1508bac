// Measures the store on two generated databases of the same size (short regular texts, and long
// varied ones): the load in a fresh process, linkhaven-cli resave beside the floor of the least
// work a resave must do, the peak resident memory of linkhaven-cli info, the duplicate test's
// index; then linkhaven-cli import-html of a bookmark file (beside keditbookmarks when installed).
// Prints a table; never fails on time.
//
//   linkhaven-bench-store [ITEMS] [CATEGORIES] [RUNS] [FOLDER] [--keep DIR] [--no-peers]
//                         [--instructions]
//
// --keep DIR keeps the files that resave wrote (generated.lhd, long-texts.lhd) to compare bytes;
// --instructions adds the instructions of one resave of each file (valgrind --tool=callgrind:
// slow, but the same figure on a busy machine).

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ChildProcess.h"
#include "FileFloor.h"
#include "GeneratedBookmarks.h"
#include "GeneratedDatabase.h"
#include "PeerPrograms.h"
#include "store/Crc32.h"
#include "store/Database.h"

namespace {

using lh::bench::median;
using lh::bench::secondsOf;

const std::string kCli = LINKHAVEN_CLI;

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Run as "--resident PATH": in this fresh process, loads the file, then makes the first
// duplicate test (which builds the address index). Prints the resident memory added after each
// (KiB) and the seconds each took.
int printLoadedResident(const std::string& path) {
    const long before = residentKiB();
    lh::store::Database db;
    const double loadSeconds = secondsOf([&] {
        if (lh::platform::IoError error; db.load(path, error) != lh::store::LoadOutcome::Loaded)
            std::abort();
    });
    const long afterLoad = residentKiB() - before;
    const double indexSeconds =
        secondsOf([&] { db.containsAddress(lh::store::kFavoritesId, "http://first.example/"); });
    std::printf("%ld %ld %f %f\n", afterLoad, residentKiB() - before, loadSeconds, indexSeconds);
    return 0;
}

struct FreshProcess {
    long residentAfterLoad = -1;  // KiB
    long residentWithIndex = -1;  // KiB
    double loadSeconds = 0;
    double indexSeconds = 0;
};

FreshProcess measureInFreshProcess(const std::string& path) {
    const std::string command =
        "/proc/" + std::to_string(::getpid()) + "/exe --resident '" + path + "'";
    FreshProcess m;
    if (FILE* child = ::popen(command.c_str(), "r")) {
        if (std::fscanf(child, "%ld %ld %lf %lf", &m.residentAfterLoad, &m.residentWithIndex,
                        &m.loadSeconds, &m.indexSeconds) != 4) {
            m = FreshProcess{};
        }
        ::pclose(child);
    }
    return m;
}

lh::bench::ChildRun runCli(const std::vector<std::string>& args) {
    std::vector<std::string> all{kCli};
    all.insert(all.end(), args.begin(), args.end());
    const lh::bench::ChildRun run = lh::bench::runChild(all);
    if (run.exitCode != 0) {
        std::fprintf(stderr, "linkhaven-cli %s failed\n", args.front().c_str());
        std::exit(1);
    }
    return run;
}

// Every figure of one database file.
struct FileFigures {
    std::string name;
    double mib = 0;
    double freshLoad = 0, indexBuild = 0, resave = 0, floor = 0;
    long infoPeakKiB = 0, residentAfterLoad = 0, residentWithIndex = 0;
    double lookupMicros = -1;
    double resaveInstructions = -1;
};

// Instructions of one linkhaven-cli resave of `path` under callgrind; -1 when valgrind fails.
double resaveInstructions(const std::string& path, const std::string& saved) {
    const std::string command = "valgrind --tool=callgrind --callgrind-out-file=/dev/null '" +
                                kCli + "' resave '" + path + "' '" + saved + "' 2>&1 >/dev/null";
    double instructions = -1;
    if (FILE* child = ::popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, child) != nullptr) {
            if (const char* at = std::strstr(line, "Collected : ")) {
                instructions = std::strtod(at + 12, nullptr);
            }
        }
        ::pclose(child);
    }
    return instructions;
}

// The duplicate test on a loaded database: microseconds per lookup, half of the addresses
// present (in other letter case), half missing.
double lookupMicros(const std::string& path, std::size_t items) {
    lh::store::Database db;
    if (lh::platform::IoError error; db.load(path, error) != lh::store::LoadOutcome::Loaded)
        std::abort();
    db.containsAddress(lh::store::kFavoritesId, "http://warm.example/");
    const std::size_t lookups = 200'000;
    std::size_t found = 0;
    const double t = secondsOf([&] {
        for (std::size_t i = 0; i < lookups; ++i) {
            std::string address = lh::bench::generatedAddress((i * 7919) % items);
            if (i % 2 == 0) {
                std::transform(address.begin(), address.end(), address.begin(), ::toupper);
            } else {
                address += "-missing";
            }
            found += db.containsAddress(lh::store::kFavoritesId, address);
        }
    });
    if (found == 0)
        std::abort();
    return t / lookups * 1e6;
}

FileFigures measureFile(const std::string& name, const std::string& path, const std::string& folder,
                        int runs) {
    FileFigures f{name};
    f.mib = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    const std::string saved = folder + "/linkhaven-bench-resaved.lhd";
    std::vector<double> loads, indexes, resaves, floors;
    std::vector<long> infoPeaks;
    for (int run = 0; run < runs; ++run) {
        const FreshProcess fresh = measureInFreshProcess(path);
        loads.push_back(fresh.loadSeconds);
        indexes.push_back(fresh.indexSeconds);
        f.residentAfterLoad = fresh.residentAfterLoad;
        f.residentWithIndex = fresh.residentWithIndex;
        floors.push_back(lh::bench::floorSeconds(path, saved));
        resaves.push_back(runCli({"resave", path, saved}).seconds);
        infoPeaks.push_back(runCli({"info", path}).peakResidentKiB);
    }
    f.freshLoad = median(loads);
    f.indexBuild = median(indexes);
    f.resave = median(resaves);
    f.floor = median(floors);
    std::sort(infoPeaks.begin(), infoPeaks.end());
    f.infoPeakKiB = infoPeaks[infoPeaks.size() / 2];
    return f;
}

void printFigures(const std::vector<FileFigures>& files, std::size_t items) {
    const auto row = [&](const char* label,
                         const std::function<std::string(const FileFigures&)>& cell) {
        std::printf("%-44s", label);
        for (const FileFigures& f : files) {
            std::printf(" %18s", cell(f).c_str());
        }
        std::printf("\n");
    };
    const auto format = [](const char* pattern, double value) {
        char text[64];
        std::snprintf(text, sizeof text, pattern, value);
        return std::string(text);
    };
    const double n = static_cast<double>(items);
    row("file", [](const FileFigures& f) { return f.name; });
    row("size", [&](const FileFigures& f) { return format("%.1f MiB", f.mib); });
    row("load in a fresh process",
        [&](const FileFigures& f) { return format("%.3f s", f.freshLoad); });
    row("  items/s", [&](const FileFigures& f) { return format("%.2f M", n / f.freshLoad / 1e6); });
    row("linkhaven-cli resave (process)",
        [&](const FileFigures& f) { return format("%.3f s", f.resave); });
    row("floor: read, CRC, copy, CRC, write, fsync",
        [&](const FileFigures& f) { return format("%.3f s", f.floor); });
    row("  resave / floor",
        [&](const FileFigures& f) { return format("%.2f x", f.resave / f.floor); });
    row("linkhaven-cli info, peak resident", [&](const FileFigures& f) {
        return format("%.1f MiB", static_cast<double>(f.infoPeakKiB) / 1024);
    });
    row("  peak / file size", [&](const FileFigures& f) {
        return format("%.2f x", static_cast<double>(f.infoPeakKiB) / 1024 / f.mib);
    });
    row("resident added by a load", [&](const FileFigures& f) {
        return format("%.1f MiB", static_cast<double>(f.residentAfterLoad) / 1024);
    });
    row("  ... with the address index", [&](const FileFigures& f) {
        return format("%.1f MiB", static_cast<double>(f.residentWithIndex) / 1024);
    });
    row("first duplicate test (builds the index)",
        [&](const FileFigures& f) { return format("%.3f s", f.indexBuild); });
    row("instructions per resave (callgrind)", [&](const FileFigures& f) {
        return f.resaveInstructions < 0 ? std::string("-")
                                        : format("%.3f G", f.resaveInstructions / 1e9);
    });
    row("countUrl, index built", [&](const FileFigures& f) {
        return f.lookupMicros < 0 ? std::string("-") : format("%.2f us", f.lookupMicros);
    });
}

// linkhaven-cli import-html of `links` links into a new database, process start to exit, and
// keditbookmarks on the same file.
void measureImport(const std::string& folder, std::size_t links, int runs, bool peers) {
    const std::string dir = folder + "/linkhaven-bench-import";
    std::filesystem::create_directories(dir);
    const std::string html = dir + "/bookmarks.html";
    std::size_t duplicates = 0;
    const std::string text = lh::bench::generateBookmarkFile(links, duplicates);
    std::ofstream(html, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    std::vector<double> ours, theirs;
    std::string note;
    for (int run = 0; run < runs; ++run) {
        const std::string target = dir + "/import.lhd";
        std::filesystem::remove(target);
        ours.push_back(runCli({"import-html", target, html}).seconds);
        if (peers) {
            const lh::bench::PeerRun peer = lh::bench::runKeditbookmarks(dir, html);
            if (peer.seconds >= 0) {
                theirs.push_back(peer.seconds);
            }
            note = peer.note;
        }
    }
    std::printf("\n%-44s %18s\n", "import-html, new database (process, median)", "");
    std::printf("%-44s %16.3f s  (%zu links, %.1f MB)\n", "linkhaven-cli import-html", median(ours),
                links, static_cast<double>(text.size()) / 1e6);
    if (!theirs.empty()) {
        std::printf("%-44s %16.3f s  (%.1f x linkhaven-cli)\n", "keditbookmarks --importmoz",
                    median(theirs), median(theirs) / median(ours));
    } else if (peers) {
        std::printf("%-44s %s\n", "keditbookmarks --importmoz", note.c_str());
    }
    std::filesystem::remove_all(dir);
}

bool writeDatabase(const std::string& path,
                   const std::function<void(lh::store::Database&)>& generate) {
    lh::store::Database db;
    generate(db);
    if (lh::platform::IoError error; !db.save(path, error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--resident") {
        return printLoadedResident(argv[2]);
    }
    lh::bench::GeneratedShape shape;
    int runs = 5;
    std::string folder = std::filesystem::temp_directory_path().string();
    std::string keep;
    bool peers = true;
    bool instructions = false;
    std::vector<std::string> numbers;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else if (a == "--instructions") {
            instructions = true;
        } else if (a == "--no-peers") {
            peers = false;
        } else {
            numbers.push_back(a);
        }
    }
    if (numbers.size() > 0)
        shape.items = std::strtoul(numbers[0].c_str(), nullptr, 10);
    if (numbers.size() > 1)
        shape.categories = std::strtoul(numbers[1].c_str(), nullptr, 10);
    if (numbers.size() > 2)
        runs = std::max(1, std::atoi(numbers[2].c_str()));
    if (numbers.size() > 3)
        folder = numbers[3];

    struct Input {
        std::string name, file;
        void (*generate)(lh::store::Database&, const lh::bench::GeneratedShape&);
    };
    const std::vector<Input> inputs{
        {"generated", "generated.lhd", lh::bench::generateDatabase},
        {"long texts", "long-texts.lhd", lh::bench::generateLongTextDatabase}};
    std::vector<FileFigures> figures;
    for (const Input& input : inputs) {
        const std::string path = folder + "/linkhaven-bench-" + input.file;
        std::printf("generating %s: %zu items in %zu categories...\n", input.name.c_str(),
                    shape.items, shape.categories);
        std::fflush(stdout);
        if (!writeDatabase(path, [&](lh::store::Database& db) { input.generate(db, shape); })) {
            return 1;
        }
        figures.push_back(measureFile(input.name, path, folder, runs));
        if (instructions) {
            figures.back().resaveInstructions =
                resaveInstructions(path, folder + "/linkhaven-bench-resaved.lhd");
        }
        if (&input == &inputs.front()) {
            figures.back().lookupMicros = lookupMicros(path, shape.items);
        }
        if (!keep.empty()) {
            std::filesystem::create_directories(keep);
            std::filesystem::copy_file(folder + "/linkhaven-bench-resaved.lhd",
                                       keep + "/" + input.file,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        std::filesystem::remove(path);
    }
    std::filesystem::remove(folder + "/linkhaven-bench-resaved.lhd");
    std::printf("\n%zu items, %zu categories, median of %d runs, CRC-32 by %s, load average %s\n\n",
                shape.items, shape.categories, runs, lh::store::crc32Implementation(),
                lh::bench::loadAverage().c_str());
    printFigures(figures, shape.items);
    measureImport(folder, 100'000, runs, peers);
    return 0;
}

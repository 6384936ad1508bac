// Measures load, save, resident memory and the duplicate-address test on a generated database,
// next to the time of merely reading the same file. Prints a table; never fails on time.
//
//   linkhaven-bench-store [ITEMS] [CATEGORIES] [RUNS] [FOLDER]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "store/Database.h"

namespace {

using lh::bench::median;
using lh::bench::secondsOf;

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

// Reads the whole file into memory the plain way: the floor for any loader.
void readWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(1 << 20);
    std::size_t total = 0;
    for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) {
        total += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (total == 0) {
        std::abort();
    }
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

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--resident") {
        return printLoadedResident(argv[2]);
    }
    lh::bench::GeneratedShape shape;
    int runs = 5;
    std::string folder = std::filesystem::temp_directory_path().string();
    if (argc > 1)
        shape.items = std::strtoul(argv[1], nullptr, 10);
    if (argc > 2)
        shape.categories = std::strtoul(argv[2], nullptr, 10);
    if (argc > 3)
        runs = std::atoi(argv[3]);
    if (argc > 4)
        folder = argv[4];
    const std::string path = folder + "/linkhaven-bench.lhd";
    const std::string savePath = folder + "/linkhaven-bench-saved.lhd";

    std::printf("generating %zu items in %zu categories...\n", shape.items, shape.categories);
    {
        lh::store::Database db;
        lh::bench::generateDatabase(db, shape);
        if (lh::platform::IoError error; !db.save(path, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
            return 1;
        }
    }
    const double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);

    std::vector<double> readTimes, loadTimes, saveTimes;
    double lookupMicros = 0;
    for (int run = 0; run < runs; ++run) {
        readTimes.push_back(secondsOf([&] { readWhole(path); }));
        lh::store::Database db;
        lh::platform::IoError error;
        loadTimes.push_back(secondsOf([&] {
            if (db.load(path, error) != lh::store::LoadOutcome::Loaded)
                std::abort();
        }));
        saveTimes.push_back(secondsOf([&] {
            if (!db.save(savePath, error))
                std::abort();
        }));
        if (run == 0) {
            db.containsAddress(lh::store::kFavoritesId, "http://warm.example/");
            const std::size_t lookups = 200'000;
            std::size_t found = 0;
            const double t = secondsOf([&] {
                for (std::size_t i = 0; i < lookups; ++i) {
                    // Half existing addresses (in other letter case), half missing ones.
                    std::string address = lh::bench::generatedAddress((i * 7919) % shape.items);
                    if (i % 2 == 0) {
                        std::transform(address.begin(), address.end(), address.begin(), ::toupper);
                    } else {
                        address += "-missing";
                    }
                    found += db.containsAddress(lh::store::kFavoritesId, address);
                }
            });
            lookupMicros = t / lookups * 1e6;
            if (found == 0)
                std::abort();
        }
    }
    std::vector<FreshProcess> fresh;
    for (int run = 0; run < runs; ++run) {
        fresh.push_back(measureInFreshProcess(path));
    }
    std::vector<double> coldLoads, indexBuilds;
    for (const FreshProcess& f : fresh) {
        coldLoads.push_back(f.loadSeconds);
        indexBuilds.push_back(f.indexSeconds);
    }
    const double items = static_cast<double>(shape.items);

    std::printf("\n%-34s %12s %14s\n", "measure (median of runs)", "value", "items/s");
    std::printf("%-34s %12zu\n", "items", shape.items);
    std::printf("%-34s %12zu\n", "categories", shape.categories);
    std::printf("%-34s %12d\n", "runs", runs);
    std::printf("%-34s %10.1f MiB\n", "file size", fileMiB);
    std::printf("%-34s %10.3f s %14.0f\n", "read file (read(2), no parsing)", median(readTimes),
                items / median(readTimes));
    std::printf("%-34s %10.3f s %14.0f\n", "load (same process, again)", median(loadTimes),
                items / median(loadTimes));
    std::printf("%-34s %10.3f s %14.0f\n", "save (temp file, fsync, rename)", median(saveTimes),
                items / median(saveTimes));
    std::printf("%-34s %10.3f s %14.0f\n", "load in a fresh process", median(coldLoads),
                items / median(coldLoads));
    std::printf("%-34s %10.3f s\n", "first duplicate test (builds index)", median(indexBuilds));
    const auto mib = [](long kib) { return static_cast<double>(kib) / 1024; };
    std::printf("%-34s %10.1f MiB  (%.2f x file)\n", "resident memory added by load",
                mib(fresh.front().residentAfterLoad),
                mib(fresh.front().residentAfterLoad) / fileMiB);
    std::printf("%-34s %10.1f MiB  (%.2f x file)\n", "... with the address index built",
                mib(fresh.front().residentWithIndex),
                mib(fresh.front().residentWithIndex) / fileMiB);
    std::printf("%-34s %10.2f us\n", "countUrl, index built", lookupMicros);
    std::filesystem::remove(path);
    std::filesystem::remove(savePath);
    return 0;
}

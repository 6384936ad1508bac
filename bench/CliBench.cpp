// linkhaven-cli's item commands on big files: add-url into a database of 1,000,000 items (load,
// duplicate test, crash-safe save) and list of a category of 100,000 items. Prints a table;
// never fails on time.
//
//   linkhaven-bench-cli [ITEMS] [LISTED] [RUNS]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "cli/Cli.h"
#include "store/Database.h"

namespace {

bool write(lh::store::Database& db, const std::string& path) {
    if (lh::platform::IoError error; !db.save(path, error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

int runCli(const std::vector<std::string>& args, std::size_t* outBytes = nullptr) {
    std::ostringstream out, err;
    const int code = lh::cli::run(args, out, err);
    if (code != 0) {
        std::fprintf(stderr, "%s", err.str().c_str());
    }
    if (outBytes != nullptr) {
        *outBytes = out.str().size();
    }
    return code;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::size_t items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    const std::size_t listed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100'000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    const auto folder = std::filesystem::temp_directory_path();
    const std::string big = (folder / "linkhaven-bench-cli-big.lhd").string();
    const std::string flat = (folder / "linkhaven-bench-cli-flat.lhd").string();
    {
        lh::store::Database db;
        lh::bench::generateDatabase(db, {items, 5'000, 1});
        if (!write(db, big)) {
            return 1;
        }
        db.createDefault();
        lh::store::ItemFields link;
        for (std::size_t i = 0; i < listed; ++i) {
            link.address = lh::bench::generatedAddress(i);
            link.title = "Link " + std::to_string(i);
            db.addItem(lh::store::kFavoritesId, link);
        }
        if (!write(db, flat)) {
            return 1;
        }
    }
    std::vector<double> add, list;
    std::size_t listedBytes = 0;
    for (int run = 0; run < runs; ++run) {
        const std::string address = "https://bench.example/new-" + std::to_string(run);
        add.push_back(lh::bench::secondsOf([&] {
            if (runCli({"add-url", big, address, "--category", "WebFavorite"}) != 0) {
                std::abort();
            }
        }));
        list.push_back(lh::bench::secondsOf([&] {
            if (runCli({"list", flat, "WebFavorite"}, &listedBytes) != 0) {
                std::abort();
            }
        }));
    }
    std::printf("%-52s %10s\n", "step (median of runs)", "s");
    std::printf("%-52s %10zu\n", "items in the big file", items);
    std::printf("%-52s %10.1f\n", "big file, MB", double(std::filesystem::file_size(big)) / 1e6);
    std::printf("%-52s %10.3f\n", "add-url: load, duplicate test, crash-safe save",
                lh::bench::median(add));
    std::printf("%-52s %10zu\n", "links listed", listed);
    std::printf("%-52s %10.3f\n", "list of one category", lh::bench::median(list));
    std::printf("%-52s %10.1f\n", "JSON written, MB", double(listedBytes) / 1e6);
    std::filesystem::remove(big);
    std::filesystem::remove(flat);
    return 0;
}

// Measures Find over a big database as a user has it, loaded from its file: the first hit at the
// end of the tree, and a full search that finds nothing, each in all three fields of a URL
// search. Prints figures; never fails on time.
//
//   linkhaven-bench-find [ITEMS] [CATEGORIES]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "items/Finder.h"
#include "store/Database.h"

int main(int argc, char* argv[]) {
    lh::bench::GeneratedShape shape;
    shape.items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    shape.categories = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 5'000;
    lh::store::Database generated;
    lh::bench::generateDatabase(generated, shape);
    // The one hit lies in the last category the search reaches.
    const lh::store::CategoryRecord* last = generated.findCategory(lh::store::kFavoritesId);
    while (last->lastChild() != nullptr) {
        last = last->lastChild();
    }
    lh::store::ItemFields needle;
    needle.title = "Needle in the Haystack";
    needle.flags = lh::store::kKindUrl;
    (void)generated.addItem(last->id(), needle);
    const std::string path =
        (std::filesystem::temp_directory_path() / "linkhaven-bench-find.lhd").string();
    lh::platform::IoError error;
    lh::store::Database db;
    if (!generated.save(path, error) || db.load(path, error) != lh::store::LoadOutcome::Loaded) {
        std::fprintf(stderr, "cannot save and load %s: %s\n", path.c_str(),
                     error.message().c_str());
        return 1;
    }
    std::filesystem::remove(path);

    constexpr unsigned kAll =
        lh::items::kFindTitle | lh::items::kFindAddress | lh::items::kFindComment;
    std::printf("find: %zu items, %zu categories\n", db.itemCount(), db.categoryCount());
    std::printf("%-52s %10s\n", "step (median of 5)", "ms");
    const auto measure = [&](lh::store::Database& searched, const char* step, const char* text) {
        lh::items::Finder finder(searched);
        std::vector<double> runs;
        bool found = false;
        for (int i = 0; i < 5; ++i) {
            runs.push_back(lh::bench::secondsOf(
                [&] { found = finder.find(text, lh::items::FindType::Url, kAll).has_value(); }));
        }
        std::printf("%-52s %10.1f%s\n", step, lh::bench::median(runs) * 1000,
                    found ? "" : "  (no hit)");
    };
    measure(db, "loaded: first hit in the last category", "haystack");
    measure(db, "loaded: no hit (every field of every item)", "no such words anywhere");
    // Records added one by one in random categories lie scattered in memory until the next load.
    measure(generated, "built in memory: first hit in the last category", "haystack");
    measure(generated, "built in memory: no hit", "no such words anywhere");
    return 0;
}

// Measures Find over a big database: the first hit at the end of the tree, and a full search
// that finds nothing, each in all three fields of a URL search. Prints figures; never fails on
// time.
//
//   linkhaven-bench-find [ITEMS] [CATEGORIES]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "items/Finder.h"
#include "store/Database.h"

int main(int argc, char* argv[]) {
    lh::bench::GeneratedShape shape;
    shape.items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    shape.categories = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 5'000;
    lh::store::Database db;
    lh::bench::generateDatabase(db, shape);
    // The one hit lies in the last category the search reaches.
    const lh::store::CategoryRecord* last = db.findCategory(lh::store::kFavoritesId);
    while (last->lastChild() != nullptr) {
        last = last->lastChild();
    }
    lh::store::ItemFields needle;
    needle.title = "Needle in the Haystack";
    needle.flags = lh::store::kKindUrl;
    (void)db.addItem(last->id(), needle);

    constexpr unsigned kAll =
        lh::items::kFindTitle | lh::items::kFindAddress | lh::items::kFindComment;
    lh::items::Finder finder(db);
    std::printf("find: %zu items, %zu categories\n", db.itemCount(), db.categoryCount());
    std::printf("%-44s %10s\n", "step (median of 5)", "ms");
    const auto measure = [&](const char* step, const char* text) {
        std::vector<double> runs;
        bool found = false;
        for (int i = 0; i < 5; ++i) {
            runs.push_back(lh::bench::secondsOf(
                [&] { found = finder.find(text, lh::items::FindType::Url, kAll).has_value(); }));
        }
        std::printf("%-44s %10.1f%s\n", step, lh::bench::median(runs) * 1000,
                    found ? "" : "  (no hit)");
    };
    measure("first hit in the last category", "haystack");
    measure("no hit (every field of every item)", "no such words anywhere");
    return 0;
}

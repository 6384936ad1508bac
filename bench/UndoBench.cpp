// Deletes a category of 100,000 links from a database of 1,000,000 items and undoes it, with
// the undo history recording: the time of each step and the memory the history keeps, against
// the size of the records themselves. Prints a table; never fails on time.
//
//   linkhaven-bench-undo [LINKS] [ITEMS]

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "history/UndoStack.h"
#include "store/ChangeStep.h"
#include "store/Database.h"

namespace {

void report(const char* what, double seconds) {
    std::printf("%-44s %10.1f ms\n", what, seconds * 1000.0);
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lh;
    const std::size_t links = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100'000;
    const std::size_t items = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1'000'000;
    store::Database db;
    bench::GeneratedShape shape;
    shape.items = items - links;
    bench::generateDatabase(db, shape);
    const store::CategoryId bulk = db.addCategory(store::kFavoritesId, {"Bulk", "", "", {}})->id();
    std::size_t ownSize = 0;
    for (std::size_t i = 0; i < links; ++i) {
        const store::ItemRecord* item = db.addItem(bulk, {bench::generatedAddress(i),
                                                          "",
                                                          "Bulk link " + std::to_string(i),
                                                          "",
                                                          1,
                                                          store::kKindUrl,
                                                          0,
                                                          {},
                                                          {}});
        ownSize += sizeof(store::ItemRecord) + 16 + item->address().size() + item->title().size();
    }
    history::UndoStack stack(db);
    std::printf("%zu items, %zu of them links in the deleted category\n", db.itemCount(), links);

    const std::size_t heapBefore = heapInUse();
    report("delete the category (records kept)", bench::secondsOf([&] {
               const store::ChangeStep step(db, "Delete Category 'Bulk'");
               db.removeCategory(bulk, false);
           }));
    const std::size_t heapKept = heapInUse();
    const std::size_t keptBytes = stack.bytes();
    report("undo: the category and its links back", bench::secondsOf([&] { (void)stack.undo(); }));
    report("redo: taken out again", bench::secondsOf([&] { (void)stack.redo(); }));
    report("undo again", bench::secondsOf([&] { (void)stack.undo(); }));
    std::printf("%-44s %10.1f MiB\n", "records' own size (records and texts)",
                double(ownSize) / (1 << 20));
    std::printf("%-44s %10.1f MiB\n", "kept by the history, as it counts them",
                double(keptBytes) / (1 << 20));
    std::printf("%-44s %10.1f MiB\n", "heap change by the delete (index entries go)",
                (double(heapKept) - double(heapBefore)) / (1 << 20));
    std::printf("category back: %s, %zu items\n", db.findCategory(bulk) ? "yes" : "no",
                db.itemCount());
    return 0;
}

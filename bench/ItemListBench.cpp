// Measures the item list on a big database: showing a category of many items, following a Move
// Up and a deletion there, and deleting every item of it at once. Prints a table; never fails
// on time.
//
//   linkhaven-bench-items [ITEMS] [SHOWN]

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "BenchTiming.h"
#include "GeneratedDatabase.h"
#include "gui/items/ItemListView.h"
#include "gui/items/ItemPane.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace {

double milliseconds(const std::function<void()>& work) {
    return lh::bench::secondsOf(work) * 1000.0;
}

// The item in `row` of category `c` (a walk along the chain).
lh::store::ItemId itemAt(const lh::store::CategoryRecord& c, std::size_t row) {
    const lh::store::ItemRecord* item = c.firstItem();
    for (std::size_t i = 0; i < row; ++i) {
        item = item->next();
    }
    return item->id();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t total = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    const std::size_t shown = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100'000;

    lh::store::Database db;
    lh::bench::GeneratedShape shape;
    shape.items = total - shown;
    lh::bench::generateDatabase(db, shape);
    const lh::store::CategoryRecord& big =
        *db.addCategory(lh::store::kFavoritesId, {"Big", "", "", {}});
    for (std::size_t i = 0; i < shown; ++i) {
        lh::store::ItemFields item;
        item.title = "Big item " + std::to_string(i);
        item.address = lh::bench::generatedAddress(i);
        db.addItem(big.id(), item);
    }

    lh::settings::AppSettings settings;
    QWidget window;
    window.resize(800, 600);
    lh::gui::ItemPane pane(db, settings, &window);
    pane.listView()->resize(800, 400);
    window.show();
    QCoreApplication::processEvents();

    std::printf("item list: %zu items, %zu in the shown category\n", db.itemCount(), shown);
    std::printf("%-44s %10s\n", "step", "ms");
    std::printf("%-44s %10.1f\n", "select the category",
                milliseconds([&] { pane.showCategory(big.id()); }));
    std::printf("%-44s %10.1f\n", "paint", milliseconds([] { QCoreApplication::processEvents(); }));

    constexpr int kRepeats = 100;
    const std::size_t middle = shown / 2;
    const double up = milliseconds([&] {
        for (int i = 0; i < kRepeats; ++i) {
            const std::vector<lh::store::ItemId> moving = {itemAt(big, middle)};
            db.moveItems(moving, big.id(), itemAt(big, middle - 1));
        }
    });
    std::printf("%-44s %10.3f\n", "Move Up of one row, with finding it (mean)", up / kRepeats);
    const double remove = milliseconds([&] {
        for (int i = 0; i < kRepeats; ++i) {
            const std::vector<lh::store::ItemId> doomed = {itemAt(big, middle)};
            db.deleteItems(doomed, false);
        }
    });
    std::printf("%-44s %10.3f\n", "delete one row, with finding it (mean)", remove / kRepeats);
    const double find = milliseconds([&] {
        for (int i = 0; i < kRepeats; ++i) {
            (void)itemAt(big, middle);
        }
    });
    std::printf("%-44s %10.3f\n", "  of which finding the row (mean)", find / kRepeats);

    std::vector<lh::store::ItemId> all;
    for (const auto* item = big.firstItem(); item != nullptr; item = item->next()) {
        all.push_back(item->id());
    }
    std::printf("%-44s %10.1f  (%zu rows)\n", "delete every row at once",
                milliseconds([&] { db.deleteItems(all, false); }), all.size());
    std::printf("%-44s %10d\n", "rows left", pane.rowCount());
    return 0;
}

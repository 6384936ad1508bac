// Measures the category pane on big trees: building the rows, following an import, creating,
// moving and deleting categories. Prints a table; never fails on time.
//
//   linkhaven-bench-tree [CATEGORIES] [ITEMS]

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "GeneratedDatabase.h"
#include "commands/CategoryCommands.h"
#include "commands/Prompter.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "store/Database.h"

namespace {

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Says OK to every question.
class YesPrompter final : public lh::commands::Prompter {
public:
    Answer ask(const Message& message) override {
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lh::bench::GeneratedShape shape;
    shape.categories = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2000;
    shape.items = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;

    lh::store::Database db;
    YesPrompter prompter;
    lh::gui::CategoryPane pane(db, prompter);
    pane.resize(300, 700);
    pane.show();

    std::printf("category tree: %zu categories, %zu items\n", shape.categories, shape.items);
    std::printf("%-40s %10s\n", "step", "ms");
    const double build = millisecondsOf([&] { lh::bench::generateDatabase(db, shape); });
    std::printf("%-40s %10.1f\n", "generate database (with tree rebuild)", build);
    std::printf("%-40s %10.1f\n", "rebuild tree", millisecondsOf([&] { pane.rebuildTree(); }));
    std::printf("%-40s %10.1f\n", "paint",
                millisecondsOf([&] { QCoreApplication::processEvents(); }));

    const lh::store::CategoryRecord* favourites = db.findCategory(lh::store::kFavoritesId);
    const double import = millisecondsOf([&] {
        const lh::store::Database::BulkChange bulk(db);
        for (int i = 0; i < 500; ++i) {
            db.addCategory(lh::store::kFavoritesId, {"Imported " + std::to_string(i), {}, {}, {}});
        }
    });
    std::printf("%-40s %10.1f\n", "import 500 categories, then follow", import);

    struct Host final : lh::commands::CategoryCommandsHost {
        lh::gui::CategoryPane& pane;
        explicit Host(lh::gui::CategoryPane& p) : pane(p) {}
        std::optional<lh::store::CategoryId> currentCategory() const override {
            const auto* current = pane.currentCategory();
            return current != nullptr ? std::optional(current->id()) : std::nullopt;
        }
        void makeCurrent(lh::store::CategoryId id) override { pane.selectCategory(id); }
    } host(pane);
    lh::commands::CategoryCommands commands(db, prompter, host);
    const double create = millisecondsOf([&] {
        for (int i = 0; i < 200; ++i) {
            commands.create(favourites->id(), "Created " + std::to_string(i), "");
        }
    });
    std::printf("%-40s %10.3f\n", "create one category (mean of 200)", create / 200);
    const lh::store::CategoryId target = favourites->lastChild()->id();
    const double move = millisecondsOf([&] {
        for (int i = 0; i < 100; ++i) {
            commands.move(favourites->firstChild()->nextSibling()->id(), target);
        }
    });
    std::printf("%-40s %10.3f\n", "move one subtree (mean of 100)", move / 100);
    const std::size_t categoriesBefore = db.categoryCount();
    const std::size_t itemsBefore = db.itemCount();
    const double remove = millisecondsOf(
        [&] { commands.deleteCategory(target, lh::commands::DeleteOrigin::MainMenu); });
    std::printf("%-40s %10.1f  (%zu categories, %zu items)\n", "delete the moved subtrees", remove,
                categoriesBefore - db.categoryCount(), itemsBefore - db.itemCount());
    return 0;
}

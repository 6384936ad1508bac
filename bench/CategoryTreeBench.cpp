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

#include "GeneratedDatabase.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "store/Database.h"
#include "tree/CategoryCommands.h"
#include "ui/Prompter.h"

namespace {

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Says OK to every question.
class YesPrompter final : public lh::ui::Prompter {
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
    db.setObserver(&pane.databaseObserver());

    std::printf("category tree: %zu categories, %zu items\n", shape.categories, shape.items);
    std::printf("%-40s %10s\n", "step", "ms");
    const double build = millisecondsOf([&] { lh::bench::generateDatabase(db, shape); });
    std::printf("%-40s %10.1f\n", "generate database (with tree rebuild)", build);
    std::printf("%-40s %10.1f\n", "rebuild tree", millisecondsOf([&] { pane.rebuildTree(); }));
    std::printf("%-40s %10.1f\n", "paint",
                millisecondsOf([&] { QCoreApplication::processEvents(); }));

    lh::store::CategoryRecord* favourites = db.findCategory(lh::store::kFavoritesId);
    const double import = millisecondsOf([&] {
        for (int i = 0; i < 500; ++i) {
            auto category = std::make_unique<lh::store::CategoryRecord>();
            category->name = "Imported " + std::to_string(i);
            db.addCategory(std::move(category), *favourites);
        }
        pane.categoriesAdded();
    });
    std::printf("%-40s %10.1f\n", "import 500 categories, then follow", import);

    struct Host final : lh::tree::CategoryTreeHost {
        lh::gui::CategoryPane& pane;
        explicit Host(lh::gui::CategoryPane& p) : pane(p) {}
        lh::store::CategoryRecord* currentCategory() const override {
            return pane.currentCategory();
        }
        void makeCurrent(lh::store::CategoryRecord& c) override { pane.selectCategory(c.id); }
        void categoryAdded(lh::store::CategoryRecord& c) override {
            pane.treeModel()->insertCategory(c);
        }
        void categoryMoved(lh::store::CategoryRecord& c) override {
            pane.treeModel()->moveCategory(c);
        }
        void categoryRemoving(lh::store::CategoryRecord& c) override {
            pane.treeModel()->removeCategory(c.id);
        }
        void categoryRenamed(lh::store::CategoryRecord&) override {}
        void favouritesChanged() override {}
    } host(pane);
    lh::tree::CategoryCommands commands(db, prompter, host);
    const double create = millisecondsOf([&] {
        for (int i = 0; i < 200; ++i) {
            commands.create(favourites, "Created " + std::to_string(i), "");
        }
    });
    std::printf("%-40s %10.3f\n", "create one category (mean of 200)", create / 200);
    lh::store::CategoryRecord* target = favourites->lastChild;
    const double move = millisecondsOf([&] {
        for (int i = 0; i < 100; ++i) {
            commands.move(*favourites->firstChild->nextSibling, target);
        }
    });
    std::printf("%-40s %10.3f\n", "move one subtree (mean of 100)", move / 100);
    const std::size_t categoriesBefore = db.categoryIndex().size();
    const std::size_t itemsBefore = db.itemCount();
    const double remove =
        millisecondsOf([&] { commands.deleteCategory(target, lh::tree::DeleteOrigin::MainMenu); });
    std::printf("%-40s %10.1f  (%zu categories, %zu items)\n", "delete the moved subtrees", remove,
                categoriesBefore - db.categoryIndex().size(), itemsBefore - db.itemCount());
    db.setObserver(nullptr);
    return 0;
}

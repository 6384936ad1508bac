// How long the window stops answering during the heavy commands on a big database: loads a
// generated database of 1,000,000 links in 2,110 categories into a real main window (offscreen
// unless QT_QPA_PLATFORM says otherwise), runs each command from its action and prints, per
// command, the longest time a 10 ms timer came late (the longest stall of the event loop) and
// the command's wall time. Never fails on time.
//
//   linkhaven-bench-stall [ITEMS] [CATEGORIES] [CHAIN DEPTH]

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "BenchServices.h"
#include "GeneratedDatabase.h"
#include "StallWatchdog.h"
#include "commands/BackupChooser.h"
#include "commands/FileChooser.h"
#include "commands/FileCommands.h"
#include "commands/Prompter.h"
#include "gui/shell/MainWindow.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace {

namespace fs = std::filesystem;
using lh::gui::CommandId;

struct Measured {
    double stallMs;
    double wallMs;
};

// Lets the event loop run for `ms` (paints, deferred deletes, timers).
void runEventsFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Runs `action` from the event loop and watches the loop until it returned and 300 ms more have
// passed (the paints that follow it).
Measured measure(lh::bench::StallWatchdog& dog, const std::function<void()>& action) {
    runEventsFor(200);
    bool done = false;
    QElapsedTimer wall;
    double wallMs = 0;
    dog.reset();
    QTimer::singleShot(0, [&] {
        wall.start();
        action();
        wallMs = double(wall.nsecsElapsed()) / 1e6;
        done = true;
    });
    while (!done) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    runEventsFor(300);
    return {dog.longestMs(), wallMs};
}

// Adds a chain of `depth` categories, each below the one before, as the favourites' last child;
// returns the top of the chain.
lh::store::CategoryId addChain(lh::store::Database& db, std::size_t depth) {
    const lh::store::Database::BulkChange bulk(db);
    lh::store::CategoryId parent = lh::store::kFavoritesId;
    lh::store::CategoryId top = 0;
    for (std::size_t level = 0; level < depth; ++level) {
        lh::store::NewCategory category;
        category.name = "Deep " + std::to_string(level);
        parent = db.addCategory(parent, category)->id();
        top = level == 0 ? parent : top;
    }
    return top;
}

void trigger(lh::gui::MainWindow& window, CommandId id) {
    QAction* action = window.actions().action(id);
    if (!action->isEnabled()) {
        std::fprintf(stderr, "command %d is disabled\n", int(id));
        std::abort();
    }
    action->trigger();
}

void closeDialog(lh::gui::CategoryPane& pane) {
    if (QDialog* dialog = pane.openDialog()) {
        dialog->reject();
    }
}

void print(const char* action, const Measured& m) {
    std::printf("%-44s %12.1f %12.1f\n", action, m.stallMs, m.wallMs);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    lh::bench::GeneratedShape shape{1'000'000, 2'110, 7};
    std::size_t chainDepth = 10'000;
    if (argc > 1)
        shape.items = std::strtoul(argv[1], nullptr, 10);
    if (argc > 2)
        shape.categories = std::strtoul(argv[2], nullptr, 10);
    if (argc > 3)
        chainDepth = std::strtoul(argv[3], nullptr, 10);
    const fs::path folder = fs::temp_directory_path();
    const std::string path = (folder / "linkhaven-bench-stall.lhd").string();
    lh::bench::FixedFiles files;
    files.saveTo = (folder / "linkhaven-bench-stall.html").string();
    {
        lh::store::Database db;
        lh::bench::generateDatabase(db, shape);
        if (lh::platform::IoError error; !db.save(path, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
            return 1;
        }
    }

    lh::store::Database db;
    lh::bench::FixedPrompter prompter{true};
    lh::bench::MemoryBackend backend;
    lh::settings::SettingsStore store(backend);
    lh::settings::AppSettings settings;
    lh::gui::MainWindow window({db, prompter, files, settings, store});
    window.restoreState();
    lh::bench::NoBackups backups;
    lh::commands::FileCommands fileCommands(
        {db, store, prompter, files, backups, window, lh::platform::systemClock()}, path);
    window.setFileCommands(fileCommands);
    fileCommands.locateDataFile();
    if (!fileCommands.openAtStart() || db.itemCount() != shape.items) {
        std::abort();
    }
    window.show();
    auto& pane = *window.findChild<lh::gui::CategoryPane*>(QStringLiteral("categoryPane"));
    // A deep chain of categories that the dialogs list and the last command deletes.
    const std::size_t categoriesBefore = db.categoryCount();
    const lh::store::CategoryId chainTop = addChain(db, chainDepth);
    lh::bench::StallWatchdog dog;

    std::printf("%-44s %12s %12s\n", "action (longest stall, wall time)", "stall ms", "wall ms");
    std::printf("%-44s %12zu\n", "links", shape.items);
    std::printf("%-44s %12zu\n", "categories (with the chain)", db.categoryCount());
    print("idle", measure(dog, [] {}));

    const lh::store::CategoryId movable = 18;  // the first generated category
    pane.selectCategory(movable);
    print("Move to dialog, first open",
          measure(dog, [&] { trigger(window, CommandId::MoveCategory); }));
    auto* parents =
        pane.openDialog()->findChild<QComboBox*>(QStringLiteral("parentCategoryComboBox"));
    print("Move to dialog, open the list of parents", measure(dog, [&] { parents->showPopup(); }));
    parents->hidePopup();
    closeDialog(pane);
    print("New Category dialog", measure(dog, [&] { trigger(window, CommandId::NewCategory); }));
    closeDialog(pane);

    print("Save (Ctrl+S)", measure(dog, [&] { trigger(window, CommandId::SaveDatabase); }));

    pane.selectCategory(lh::store::kFavoritesId);
    print("Export Bookmark file (all links)",
          measure(dog, [&] { trigger(window, CommandId::ExportBookmarkFile); }));
    if (!fs::exists(files.saveTo)) {
        std::fprintf(stderr, "the export wrote no file\n");
        return 1;
    }

    // The whole chain open in the tree, its top current.
    for (lh::store::CategoryId id = chainTop; id < chainTop + chainDepth; ++id) {
        pane.treeView()->expand(pane.treeModel()->indexOf(id));
    }
    pane.selectCategory(chainTop);
    char label[64];
    std::snprintf(label, sizeof label, "Delete a %zu-deep category chain", chainDepth);
    print(label, measure(dog, [&] { trigger(window, CommandId::DeleteCategory); }));
    if (db.categoryCount() != categoriesBefore) {
        std::fprintf(stderr, "the chain was not deleted\n");
        return 1;
    }
    fs::remove(path);
    fs::remove(files.saveTo);
    return 0;
}

// Start-up and the tray's favourites menu with a big database: loads a generated database of
// 100,000 links in 2,000 categories into a real main window (offscreen) and times each step.
// Prints a table; never fails on time.
//
//   linkhaven-bench-shell [ITEMS] [CATEGORIES]

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "BenchServices.h"
#include "GeneratedDatabase.h"
#include "commands/BackupChooser.h"
#include "commands/FileChooser.h"
#include "commands/FileCommands.h"
#include "commands/Prompter.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/TrayIcon.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace {

double ms(QElapsedTimer& t) {
    const double v = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    return v;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lh::bench::GeneratedShape shape{100'000, 2'000, 7};
    if (argc > 1)
        shape.items = std::strtoul(argv[1], nullptr, 10);
    if (argc > 2)
        shape.categories = std::strtoul(argv[2], nullptr, 10);
    const std::string path =
        (std::filesystem::temp_directory_path() / "linkhaven-bench-shell.lhd").string();
    {
        lh::store::Database db;
        lh::bench::generateDatabase(db, shape);
        if (lh::platform::IoError error; !db.save(path, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
            return 1;
        }
    }

    QElapsedTimer timer;
    timer.start();
    lh::store::Database db;
    lh::bench::FixedPrompter prompter{false};
    lh::bench::FixedFiles files;
    lh::bench::MemoryBackend backend;
    lh::settings::SettingsStore store(backend);
    lh::settings::AppSettings settings;
    lh::gui::MainWindow window({db, prompter, files, settings, store});
    window.restoreState();
    lh::bench::NoBackups backups;
    lh::commands::FileCommands fileCommands(
        {db, store, prompter, files, backups, window, lh::platform::systemClock()}, path);
    window.setFileCommands(fileCommands);
    const double build = ms(timer);
    // The tree pane rebuilds; the favourites menu only marks itself stale.
    fileCommands.locateDataFile();
    if (!fileCommands.openAtStart() || db.itemCount() != shape.items) {
        std::abort();
    }
    const double load = ms(timer);
    window.show();
    QApplication::processEvents();
    const double show = ms(timer);

    QMenu& tray = window.tray().menu();
    emit tray.aboutToShow();
    lh::gui::FavouritesMenu& favourites = window.favourites();
    emit favourites.aboutToShow();
    const double firstLevel = ms(timer);
    // The biggest submenu: the category with the most links.
    QMenu* biggest = nullptr;
    qsizetype most = -1;
    for (QAction* a : favourites.actions()) {
        if (QMenu* sub = a->menu()) {
            emit sub->aboutToShow();
            if (sub->actions().size() > most) {
                most = sub->actions().size();
                biggest = sub;
            }
        }
    }
    const double allSecondLevel = ms(timer);
    favourites.markStale();
    emit favourites.aboutToShow();
    const double rebuild = ms(timer);
    (void)biggest;
    // Another program adds a link to the file: the window loads it again, keeping its view.
    {
        lh::store::Database other;
        lh::platform::IoError error;
        if (other.load(path, error) != lh::store::LoadOutcome::Loaded) {
            std::abort();
        }
        other.addItem(
            lh::store::kFavoritesId,
            {"https://other.example/", "", "Other", "", 1, lh::store::kKindUrl, 0, {}, {}});
        if (!other.save(path, error)) {
            std::abort();
        }
    }
    ms(timer);
    fileCommands.checkDataFile();
    const double reload = ms(timer);
    if (db.itemCount() != shape.items + 1) {
        std::abort();
    }

    std::printf("%-46s %10s\n", "step (100,000 links, 2,000 categories)", "ms");
    std::printf("%-46s %10zu\n", "links", shape.items);
    std::printf("%-46s %10zu\n", "categories", shape.categories);
    std::printf("%-46s %10.1f\n", "build the main window", build);
    std::printf("%-46s %10.1f\n", "load the database, tree pane rebuilt", load);
    std::printf("%-46s %10.1f\n", "show the window", show);
    std::printf("%-46s %10.1f\n", "open tray menu and its favourites submenu", firstLevel);
    std::printf("%-46s %10.1f\n", "open every second-level submenu once", allSecondLevel);
    std::printf("%-46s %10lld\n", "entries in the biggest second-level submenu", (long long)most);
    std::printf("%-46s %10.1f\n", "after a change: reopen the favourites submenu", rebuild);
    std::printf("%-46s %10.1f\n", "file changed elsewhere: load it again", reload);
    std::filesystem::remove(path);
    return 0;
}

#include "gui/shell/CommandHandoff.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include "commands/FileCommands.h"
#include "gui/items/ItemPane.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtBackupChooser.h"
#include "gui/shell/SingleInstance.h"
#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "platform/SystemClock.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/CategoryNames.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/MemorySettingsBackend.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

// A window with its data file "Default.lhd" in a folder of its own.
class CommandHandoffTest : public ::testing::Test {
protected:
    void SetUp() override {
        fileCommands.locateDataFile();
        ASSERT_TRUE(fileCommands.openAtStart());
        window.setFileCommands(fileCommands);
    }
    struct Run {
        int code;
        QString out, err;
    };
    // linkhaven-cli itself, in another process, while this one answers as a window does.
    Run cli(const QStringList& args) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.path()));
        process.setProcessEnvironment(environment);
        process.start(LINKHAVEN_CLI, args);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60'000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    std::vector<std::string> fileTitles(store::CategoryId id) const {
        store::Database onDisk;
        EXPECT_EQ(test::load(onDisk, dataFile), store::LoadOutcome::Loaded);
        return test::itemTitles(onDisk, id);
    }

    test::TempDir dir;
    std::string dataFile = dir.file("Default.lhd");
    store::Database db;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    test::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::AppSettings settings;
    QtBackupChooser backups;
    MainWindow window{{db, prompter, files, settings, store}};
    commands::FileCommands fileCommands{
        {db, store, prompter, files, backups, window, platform::systemClock()}, dataFile};
};

TEST_F(CommandHandoffTest, ACliCommandOnTheOpenFileIsCarriedOutAndSavedByTheWindow) {
    test::ScopedEnvironment environment;
    environment.set("XDG_RUNTIME_DIR", dir.path());
    SingleInstance instance;
    ASSERT_TRUE(instance.listen());
    bool busy = false;
    CommandHandoff handoff(db, fileCommands, [&] { return busy; });
    instance.setRunHandler([&](const cli::RunRequest& r) { return handoff.handle(r); });

    const QString file = QString::fromStdString(dataFile);
    Run r = cli({"add-url", file, "http://x.example/", "--title", "X"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"title\":\"X\"")) << r.out.toStdString();
    EXPECT_EQ(test::itemTitles(db, store::kFavoritesId), std::vector<std::string>{"X"});
    EXPECT_EQ(fileTitles(store::kFavoritesId), std::vector<std::string>{"X"});
    EXPECT_FALSE(fileCommands.hasUnsavedChanges());
    // A refusal comes back as the CLI's own.
    r = cli({"add-url", file, "HTTP://X.EXAMPLE/"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("Duplicate URL"));

    EXPECT_EQ(cli({"delete", file, "WebFavorite:1", "--no-window"}).code, 4);
    busy = true;
    r = cli({"delete", file, "WebFavorite:1"});
    EXPECT_EQ(r.code, 4);
    EXPECT_TRUE(r.err.contains("busy"));
    EXPECT_EQ(test::itemTitles(db, store::kFavoritesId), std::vector<std::string>{"X"});

    // Another file is none of the window's business.
    const QString other = QString::fromStdString(dir.file("other.lhd"));
    ASSERT_EQ(cli({"new", other}).code, 0);
    EXPECT_EQ(cli({"add-url", other, "http://y.example/"}).code, 0);
    EXPECT_EQ(test::itemTitles(db, store::kFavoritesId), std::vector<std::string>{"X"});
}

TEST_F(CommandHandoffTest, AFileChangedElsewhereIsLoadedAgainKeepingTheViewByName) {
    auto* tree = window.findChild<CategoryPane*>();
    ASSERT_NE(tree, nullptr);
    const store::CategoryId deep = db.addCategory(3, {"Deep", {}, {}, {}})->id();
    ASSERT_TRUE(tree->selectCategory(deep));
    ASSERT_TRUE(fileCommands.save());
    // Another program adds a category that comes first in the file, so every id after it moves,
    // and a link to "Deep".
    {
        store::Database other;
        ASSERT_EQ(test::load(other, dataFile), store::LoadOutcome::Loaded);
        other.addCategory(1, {"New", {}, {}, {}});
        const store::CategoryRecord* d =
            store::findCategoryByNames(other, {"WebFavorite", "BBS", "Deep"});
        ASSERT_NE(d, nullptr);
        other.addItem(d->id(), test::link("Theirs", "http://theirs/"));
        ASSERT_TRUE(test::save(other, dataFile));
    }
    fileCommands.checkDataFile();
    const store::CategoryRecord* current = tree->currentCategory();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(store::categoryNames(*current),
              (std::vector<std::string>{"WebFavorite", "BBS", "Deep"}));
    EXPECT_NE(current->id(), deep);
    EXPECT_EQ(window.items().rowCount(), 1);
    EXPECT_TRUE(tree->treeView()->isExpanded(tree->treeModel()->indexOf(current->parent()->id())));
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace lh::gui

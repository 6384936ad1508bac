#include "commands/FileCommands.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/FileInfo.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsBackend.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using store::BackupRow;
using store::Database;

using Answer = Prompter::Answer;
using Close = FileCommands::CloseAction;

const std::string kDamaged = "not a database at all";

// Records what the window was asked to do.
struct RecordingHost final : FileCommandsHost {
    std::vector<std::string> titles;
    std::vector<std::string> status;
    int closed = 0;
    void setTitle(const std::string& title) override { titles.push_back(title); }
    void closeProgram() override { ++closed; }
    void showStatus(const std::string& text) override { status.push_back(text); }
};

// Picks backups from a queue (nothing = none chosen) and records the lists it was shown.
struct ScriptedBackupChooser final : BackupChooser {
    std::deque<std::optional<std::string>> answers;
    std::vector<std::vector<BackupRow>> shown;
    std::optional<std::string> chooseBackup(const std::string&,
                                            const std::vector<BackupRow>& rows) override {
        shown.push_back(rows);
        if (answers.empty()) {
            throw std::logic_error("unexpected restore dialog");
        }
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

bool hasCategory(const Database& db, const std::string& name) {
    return store::walkSearchOrder(db.root(),
                                  [&](const store::CategoryRecord& c) { return c.name() == name; });
}

struct Fixture {
    // With `dataFile`, that is the default data file (and `now` the clock's time).
    explicit Fixture(const std::string& dataFile = {},
                     platform::LocalTime now = {2026, 12, 6, 9, 30, 0, 0})
        : clock(now),
          defaultFile(dataFile.empty() ? dir.file("data/Linkhaven/Default.lhd") : dataFile) {}

    test::TempDir dir;
    test::FakeClock clock;
    Database db{clock};
    test::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    ScriptedBackupChooser backups;
    RecordingHost host;
    test::DatabaseMirror views{db};  // what the views hear
    std::string defaultFile;
    FileCommands commands{{db, store, prompter, files, backups, host, clock}, defaultFile};

    // How often the views were told that the database was replaced.
    long replacements() const {
        return std::count(views.events.begin(), views.events.end(), "}bulk(replaced)");
    }

    // A database file with one extra category named `marker`.
    void writeDatabase(const std::string& path, const std::string& marker) {
        Database other;
        other.createDefault();
        other.addCategory(store::kRootId, {marker, {}, {}, {}});
        ASSERT_TRUE(test::save(other, path));
    }
    bool hasCategory(const std::string& name) const { return commands::hasCategory(db, name); }
    // Makes the default data file a damaged one; gives the name it will be kept under.
    std::string damageDefault() {
        std::filesystem::create_directories(dir.file("data/Linkhaven"));
        test::writeBytes(defaultFile, kDamaged);
        return defaultFile + ".damaged-20261206-093000";
    }
    std::optional<std::string> remotefile() { return store.readRemotefile(); }
    bool start() {
        commands.locateDataFile();
        return commands.openAtStart();
    }
    // Starts titled on a fresh file "work.lhd".
    void startTitled() {
        writeDatabase(dir.file("work.lhd"), "work");
        commands.takeCommandLine({dir.file("work.lhd")}, "/");
        ASSERT_TRUE(start());
    }
    std::string lastMessage() const {
        return prompter.shown.empty() ? std::string() : prompter.shown.back().text;
    }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// --- Start-up ------------------------------------------------------------------------------------

TEST(FileCommandsTest, MissingOrEmptyDefaultFileGetsTheDefaultDatabase) {
    for (bool empty : {false, true}) {
        Fixture f;
        if (empty) {
            std::filesystem::create_directories(f.dir.file("data/Linkhaven"));
            test::writeBytes(f.defaultFile, "");
        }
        ASSERT_TRUE(f.start());
        EXPECT_EQ(f.commands.dataFile(), f.defaultFile);
        EXPECT_EQ(f.host.titles.back(), "Default.lhd -- Linkhaven");
        EXPECT_TRUE(f.prompter.shown.empty());
        Database check;
        EXPECT_EQ(test::load(check, f.defaultFile), store::LoadOutcome::Loaded);
        EXPECT_FALSE(f.remotefile());  // remembered at close, not before
    }
}

TEST(FileCommandsTest, CommandLineFileIsOpenedAndRememberedAtOnce) {
    Fixture f;
    std::filesystem::create_directory(f.dir.file("sub"));
    f.writeDatabase(f.dir.file("sub/Notes.LHD"), "notes");
    f.commands.takeCommandLine({"readme.txt", "sub/Notes.LHD"}, f.dir.path());
    EXPECT_EQ(f.remotefile(), f.dir.file("sub/Notes.LHD"));
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(f.hasCategory("notes"));
    EXPECT_EQ(f.host.titles.back(), "Notes.LHD -- Linkhaven");
}

TEST(FileCommandsTest, UnreachableRemotefileIsReportedBeforeTheDefaultIsUsed) {
    Fixture f;
    f.store.writeRemotefile("/media/unplugged/stick/mine.lhd");
    ASSERT_TRUE(f.start());
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_TRUE(contains(f.lastMessage(), "/media/unplugged/stick/mine.lhd"));
    EXPECT_TRUE(contains(f.lastMessage(), f.defaultFile));
    EXPECT_EQ(f.commands.dataFile(), f.defaultFile);
    EXPECT_TRUE(test::readBytes(f.defaultFile).size() > 11);
}

TEST(FileCommandsTest, ExistingFileThatCannotBeOpenedIsLeftAlone) {
    Fixture f;
    std::filesystem::create_directories(f.defaultFile);  // a folder where the file should be
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_EQ(f.host.titles.back(), "Untitled.lhd  Linkhaven");
    EXPECT_TRUE(contains(f.lastMessage(), f.defaultFile));
    EXPECT_TRUE(contains(f.lastMessage(), "directory"));  // the reason
    EXPECT_TRUE(std::filesystem::is_directory(f.defaultFile));
    EXPECT_TRUE(f.db.isOpen());
}

TEST(FileCommandsTest, FailedDefaultWriteIsReportedAndLeavesTheDatabaseUntitled) {
    test::TempDir dir;
    test::writeBytes(dir.file("blocker"), "a file, not a folder");
    Fixture f;
    f.defaultFile = dir.file("blocker/Linkhaven/Default.lhd");
    FileCommands commands({f.db, f.store, f.prompter, f.files, f.backups, f.host, f.clock},
                          f.defaultFile);
    commands.locateDataFile();
    ASSERT_TRUE(commands.openAtStart());
    EXPECT_TRUE(commands.isUntitled());
    EXPECT_TRUE(contains(f.lastMessage(), "could not be written"));
    EXPECT_TRUE(contains(f.lastMessage(), f.defaultFile));
    EXPECT_EQ(test::readBytes(dir.file("blocker")), "a file, not a folder");
    // Save then asks for a name instead of failing again.
    f.files.answers.push_back(std::nullopt);
    EXPECT_FALSE(commands.save());
    EXPECT_EQ(f.files.requests.back().first, "save");
}

TEST(FileCommandsTest, RefusedFileOffersBackupsAndKeepsTheDamagedBytes) {
    Fixture f;
    const std::string aside = f.damageDefault();
    const std::string good = f.dir.file("data/Linkhaven/Default.lbak1");
    const std::string bad = f.dir.file("data/Linkhaven/Default.lbak3");
    f.writeDatabase(good, "from backup");
    const std::string goodBytes = test::readBytes(good);
    test::writeBytes(bad, "also damaged");
    f.backups.answers = {bad, good};  // the refused backup returns to the list

    ASSERT_TRUE(f.start());
    ASSERT_EQ(f.backups.shown.size(), 2u);
    EXPECT_EQ(f.backups.shown[0].front().name, "Default.lbak3");
    EXPECT_TRUE(contains(f.prompter.shown.at(0).text, bad));
    EXPECT_TRUE(f.hasCategory("from backup"));
    EXPECT_EQ(f.host.titles.back(), "Default.lhd -- Linkhaven");
    EXPECT_EQ(test::readBytes(aside), kDamaged);
    EXPECT_TRUE(contains(f.lastMessage(), aside));
    Database check;  // the restored database is written back as the data file at once
    ASSERT_EQ(test::load(check, f.defaultFile), store::LoadOutcome::Loaded);
    EXPECT_TRUE(hasCategory(check, "from backup"));
    EXPECT_EQ(test::readBytes(good), goodBytes);  // the backup itself is not changed
}

TEST(FileCommandsTest, RefusedFileWithoutBackupsAsksForANewDatabase) {
    Fixture f;
    const std::string aside = f.damageDefault();
    f.prompter.answers = {Answer::Yes};
    ASSERT_TRUE(f.start());
    EXPECT_EQ(test::readBytes(aside), kDamaged);
    EXPECT_TRUE(contains(f.prompter.shown.at(0).text, "damaged"));
    EXPECT_TRUE(contains(f.lastMessage(), aside));
    Database check;
    EXPECT_EQ(test::load(check, f.defaultFile), store::LoadOutcome::Loaded);
    EXPECT_EQ(f.commands.dataFile(), f.defaultFile);
}

TEST(FileCommandsTest, DecliningOrFailingToRenameEndsWithoutWriting) {
    Fixture f;
    f.damageDefault();
    f.writeDatabase(f.dir.file("data/Linkhaven/Default.lbak2"), "b");
    f.backups.answers = {std::nullopt};
    f.prompter.answers = {Answer::No};
    EXPECT_FALSE(f.start());
    EXPECT_EQ(test::readBytes(f.defaultFile), kDamaged);
    EXPECT_EQ(test::listFolder(f.dir.file("data/Linkhaven")),
              (std::vector<std::string>{"Default.lbak2", "Default.lhd"}));

    Fixture g;
    const std::string aside = g.damageDefault();
    for (int n = 1; n <= 100; ++n) {  // every name it could be kept under is taken
        test::writeBytes(n == 1 ? aside : aside + "-" + std::to_string(n), "taken");
    }
    g.prompter.answers = {Answer::Yes};
    EXPECT_FALSE(g.start());
    EXPECT_EQ(test::readBytes(g.defaultFile), kDamaged);
    EXPECT_EQ(test::readBytes(aside), "taken");
    EXPECT_TRUE(contains(g.lastMessage(), "could not be renamed"));
}

// --- The File menu -------------------------------------------------------------------------------

TEST(FileCommandsTest, NewSavesOrStopsAsAnswered) {
    Fixture f;
    f.db.createDefault();
    const int titlesBefore = static_cast<int>(f.host.titles.size());

    f.prompter.answers = {Answer::Cancel};
    f.commands.newDatabase();
    EXPECT_EQ(f.prompter.shown.back().text, "Save changes to Untitled?");
    EXPECT_EQ(f.prompter.shown.back().buttons, commands::Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(static_cast<int>(f.host.titles.size()), titlesBefore);

    const long replaced = f.replacements();
    f.prompter.answers = {Answer::Yes};
    f.files.answers = {std::nullopt};  // the save dialog cancelled: nothing dropped
    f.commands.newDatabase();
    EXPECT_EQ(f.files.requests.back().second.proposedName, "Untitled.lhd");
    EXPECT_EQ(f.replacements(), replaced);

    f.prompter.answers = {Answer::Yes};
    f.files.answers = {f.dir.file("kept")};  // saved as entered, no extension added
    f.commands.newDatabase();
    Database check;
    EXPECT_EQ(test::load(check, f.dir.file("kept")), store::LoadOutcome::Loaded);
    EXPECT_EQ(f.host.titles.back(), "Untitled.lhd  Linkhaven");
    EXPECT_EQ(f.replacements(), replaced + 1);  // the views show the new database once
    EXPECT_TRUE(f.commands.isUntitled());

    f.prompter.answers = {Answer::No};
    f.commands.newDatabase();
    EXPECT_EQ(f.replacements(), replaced + 2);
    EXPECT_EQ(test::listFolder(f.dir.path()), (std::vector<std::string>{"kept"}));
}

TEST(FileCommandsTest, NewSavesATitledDatabaseFirstAndNeverWritesTheNewOne) {
    Fixture f;
    f.startTitled();
    f.commands.newDatabase();
    EXPECT_TRUE(f.prompter.shown.empty());
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_FALSE(f.hasCategory("work"));
    Database check;
    ASSERT_EQ(test::load(check, f.dir.file("work.lhd")), store::LoadOutcome::Loaded);
}

TEST(FileCommandsTest, OpenLoadsTheChosenFileAfterTheSaveQuestion) {
    Fixture f;
    f.db.createDefault();
    f.writeDatabase(f.dir.file("other.lhd"), "other");
    const long replaced = f.replacements();

    f.files.answers = {std::nullopt};  // open dialog cancelled: no question
    f.commands.openDatabase();
    EXPECT_TRUE(f.prompter.shown.empty());

    f.files.answers = {f.dir.file("other.lhd"), std::nullopt};
    f.prompter.answers = {Answer::Yes};  // then the save dialog is cancelled: Open stops
    f.commands.openDatabase();
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_FALSE(f.hasCategory("other"));

    f.files.answers = {f.dir.file("other.lhd"), f.dir.file("notes.txt")};
    f.prompter.answers = {Answer::Yes};
    f.commands.openDatabase();
    Database check;
    // Open's save adds the extension.
    EXPECT_EQ(test::load(check, f.dir.file("notes.txt.lhd")), store::LoadOutcome::Loaded);
    EXPECT_TRUE(f.hasCategory("other"));
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("other.lhd"));
    EXPECT_EQ(f.remotefile(), f.dir.file("other.lhd"));
    EXPECT_EQ(f.host.titles.back(), "other.lhd -- Linkhaven");
    // Closing the old database and loading the new one reach the views as one change.
    EXPECT_EQ(f.replacements(), replaced + 1);
    f.views.expectInStep();
}

TEST(FileCommandsTest, OpenOfARefusedFileStaysUntitledAndKeepsTheFile) {
    Fixture f;
    f.startTitled();
    test::writeBytes(f.dir.file("broken.lhd"), kDamaged);
    f.files.answers = {f.dir.file("broken.lhd")};
    // The notice comes once the views show the untitled database, not over a half-replaced one.
    std::vector<std::string> viewsWhenTold;
    f.prompter.onShow = [&](const Prompter::Message&) {
        EXPECT_FALSE(f.db.inBulkChange());
        viewsWhenTold = f.views.events;
    };
    f.commands.openDatabase();
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_TRUE(contains(f.lastMessage(), "damaged or not a Linkhaven database"));
    ASSERT_FALSE(viewsWhenTold.empty());
    EXPECT_EQ(viewsWhenTold.back(), "}bulk(replaced)");
    f.prompter.onShow = nullptr;
    EXPECT_EQ(f.remotefile(), f.dir.file("work.lhd"));
    EXPECT_TRUE(f.hasCategory("Webfavorite"));
    EXPECT_EQ(f.host.titles.back(), "Untitled.lhd  Linkhaven");
    f.prompter.answers = {Answer::No};
    f.commands.newDatabase();
    EXPECT_EQ(test::readBytes(f.dir.file("broken.lhd")), kDamaged);
}

TEST(FileCommandsTest, OpenOfAnEmptyFileMakesADatabaseThere) {
    Fixture f;
    f.startTitled();
    test::writeBytes(f.dir.file("empty.lhd"), "");
    f.files.answers = {f.dir.file("empty.lhd")};
    f.commands.openDatabase();
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("empty.lhd"));
    EXPECT_EQ(f.remotefile(), f.dir.file("empty.lhd"));
    Database check;
    EXPECT_EQ(test::load(check, f.dir.file("empty.lhd")), store::LoadOutcome::Loaded);
}

TEST(FileCommandsTest, SaveAsNormalisesAndAdoptsOnlyAfterSuccess) {
    Fixture f;
    f.db.createDefault();
    f.files.answers = {f.dir.file("missing/x")};  // the save fails
    EXPECT_FALSE(f.commands.saveAs());
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_TRUE(contains(f.lastMessage(), f.dir.file("missing/x.lhd")));
    EXPECT_TRUE(contains(f.lastMessage(), "No such file"));

    f.files.answers = {f.dir.file("notes.LHD")};
    EXPECT_TRUE(f.commands.saveAs());
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("notes.LHD"));

    f.files.answers = {f.dir.file("copy")};  // titled: a copy, the data file stays
    EXPECT_TRUE(f.commands.saveAs());
    EXPECT_EQ(f.files.requests.back().second.proposedName, "notes.LHD");
    EXPECT_EQ(f.files.requests.back().second.folder, f.dir.path());
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("notes.LHD"));
    EXPECT_EQ(f.host.titles.back(), "notes.LHD -- Linkhaven");
    EXPECT_TRUE(std::filesystem::exists(f.dir.file("copy.lhd")));
}

TEST(FileCommandsTest, SaveFailureIsToldAndNeverReportedAsDone) {
    Fixture f;
    f.startTitled();
    std::filesystem::remove(f.dir.file("work.lhd"));
    std::filesystem::create_directory(f.dir.file("work.lhd"));  // now unwritable as a file
    EXPECT_FALSE(f.commands.save());
    EXPECT_TRUE(contains(f.lastMessage(), f.dir.file("work.lhd")));
    EXPECT_FALSE(f.commands.autosave());
    EXPECT_TRUE(contains(f.host.status.back(), "Autosave failed"));
    // New and Open stop instead of dropping the unsaved database.
    f.commands.newDatabase();
    EXPECT_TRUE(f.hasCategory("work"));
    f.files.answers = {f.dir.file("other.lhd")};
    f.commands.openDatabase();
    EXPECT_TRUE(f.hasCategory("work"));
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("work.lhd"));
    // Closing asks before the changes are lost.
    f.prompter.answers = {Answer::No};
    EXPECT_FALSE(f.commands.finishClose());
    EXPECT_TRUE(f.db.isOpen());
    EXPECT_TRUE(contains(f.lastMessage(), "without saving"));
    f.prompter.answers = {Answer::Yes};
    EXPECT_TRUE(f.commands.finishClose());
}

TEST(FileCommandsTest, ExitAndTheCloseBoxAskOnlyForUntitled) {
    Fixture f;
    f.db.createDefault();
    EXPECT_EQ(f.commands.closeRequested(true), Close::Minimize);
    EXPECT_TRUE(f.prompter.shown.empty());

    // The save question's answers are proven with New; here, what each command does after it.
    f.prompter.answers = {Answer::Cancel};
    f.commands.exit();
    EXPECT_EQ(f.host.closed, 0);
    f.prompter.answers = {Answer::Yes};
    f.files.answers = {f.dir.file("exit")};
    f.commands.exit();
    EXPECT_EQ(f.host.closed, 1);
    EXPECT_TRUE(std::filesystem::exists(f.dir.file("exit")));

    f.prompter.answers = {Answer::Yes};
    f.files.answers = {f.dir.file("box")};
    EXPECT_EQ(f.commands.closeRequested(false), Close::StayOpen);  // saved; the user closes again
    EXPECT_EQ(f.prompter.shown.back().icon, commands::Prompter::Icon::Question);
    EXPECT_TRUE(std::filesystem::exists(f.dir.file("box")));
    f.prompter.answers = {Answer::No};
    EXPECT_EQ(f.commands.closeRequested(false), Close::Close);
    EXPECT_TRUE(f.commands.finishClose());  // an untitled database is not written

    Fixture titled;
    titled.startTitled();
    EXPECT_EQ(titled.commands.closeRequested(false), Close::Close);
    titled.commands.exit();
    EXPECT_EQ(titled.host.closed, 1);
    EXPECT_TRUE(titled.prompter.shown.empty());
}

TEST(FileCommandsTest, CloseSavesTheDataFile) {
    Fixture f;
    f.startTitled();
    f.db.addCategory(store::kRootId, {"added", {}, {}, {}});
    EXPECT_TRUE(f.commands.finishClose());
    EXPECT_FALSE(f.db.isOpen());
    Database check;
    ASSERT_EQ(test::load(check, f.dir.file("work.lhd")), store::LoadOutcome::Loaded);
    EXPECT_TRUE(hasCategory(check, "added"));
}

// --- Daily backups -------------------------------------------------------------------------------

constexpr platform::FileTime kSecond = 1'000'000'000;

platform::LocalTime day(int d) {
    return {2026, 12, d, 9, 30, 0, 0};
}

// One program run on day `d` of the month: open `dataFile`, let the timer tick twice.
std::string runOnDay(const std::string& dataFile, int d, bool autoBackup = true) {
    Fixture f(dataFile, day(d));
    EXPECT_TRUE(f.start());
    const std::string written = f.commands.backupTick(autoBackup);
    EXPECT_EQ(f.commands.backupTick(autoBackup), "");  // the same day again
    if (!written.empty()) {
        // The file system's clock is not the test's: date the backup by the simulated day.
        EXPECT_EQ(platform::setFileWriteTime(written, platform::fileTimeOfLocal(day(d))), 0);
    }
    return written;
}

TEST(FileCommandsTest, DailyBackupsKeepFourDaysOfHistory) {
    test::TempDir dir;
    const std::string data = dir.file("my.lhd");
    EXPECT_EQ(runOnDay(data, 1, false), "");  // switched off: nothing written
    EXPECT_EQ(runOnDay(data, 1), dir.file("my.lbak1"));
    EXPECT_EQ(runOnDay(data, 1), "");  // a second start on the same day keeps the history
    EXPECT_EQ(runOnDay(data, 2), dir.file("my.lbak2"));
    EXPECT_EQ(runOnDay(data, 3), dir.file("my.lbak3"));
    EXPECT_EQ(runOnDay(data, 4), dir.file("my.lbak4"));
    EXPECT_EQ(runOnDay(data, 5), dir.file("my.lbak1"));  // the oldest
    EXPECT_EQ(runOnDay(data, 6), dir.file("my.lbak2"));

    // Equal times: the lower number goes first.
    const platform::FileTime t = platform::fileTimeOfLocal(day(2));
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak3"), t), 0);
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak4"), t), 0);
    EXPECT_EQ(store::chooseBackupName(data), dir.file("my.lbak3"));
    // A strictly older slot wins even when read-only; it is made writable and overwritten.
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak4"), t - kSecond), 0);
    ::chmod(dir.file("my.lbak4").c_str(), 0444);
    EXPECT_EQ(runOnDay(data, 7), dir.file("my.lbak4"));
    EXPECT_NE(std::filesystem::status(dir.file("my.lbak4")).permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    Database check;
    EXPECT_EQ(test::load(check, dir.file("my.lbak4")), store::LoadOutcome::Loaded);
    // The crash-safe save left no temporary file behind, and none named like a backup.
    EXPECT_EQ(test::listFolder(dir.path()),
              (std::vector<std::string>{"my.lbak1", "my.lbak2", "my.lbak3", "my.lbak4", "my.lhd"}));
}

TEST(FileCommandsTest, BackupFailuresGoToTheStatusBar) {
    test::TempDir dir;
    Fixture f(dir.file("my.lhd"));
    ASSERT_TRUE(f.start());
    std::filesystem::create_directory(dir.file("my.lbak1"));  // a slot that cannot be opened
    EXPECT_EQ(f.commands.backupTick(true), "");
    EXPECT_TRUE(contains(f.host.status.back(), "No backup today"));
}

}  // namespace
}  // namespace lh::commands

#include "commands/FileCommands.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "commands/FileCommandsFixture.h"
#include "platform/FileInfo.h"

namespace lh::commands {
namespace {

using Answer = Prompter::Answer;
using Close = FileCommands::CloseAction;
using Fixture = FileCommandsFixture;
using Names = std::vector<std::string>;

// --- Start-up ------------------------------------------------------------------------------------

TEST(FileCommandsTest, StartUpFallsBackToTheDefaultFileOrUntitledAndSaysWhy) {
    // An empty default file: see the empty-file test below; a missing one: the end-to-end test.
    Fixture unplugged;
    unplugged.store.writeRemotefile("/media/unplugged/stick/mine.lhd");
    unplugged.expectStart(false, {"/media/unplugged/stick/mine.lhd", unplugged.defaultFile});

    Fixture folder;  // a file that exists but cannot be opened is left alone
    std::filesystem::create_directories(folder.defaultFile);
    folder.expectStart(true, {folder.defaultFile, "is a folder, not a file"});
    EXPECT_TRUE(std::filesystem::is_directory(folder.defaultFile));
    EXPECT_TRUE(folder.db.isOpen());

    Fixture blocked;  // a file where the default file's folder should be
    test::writeBytes(blocked.dir.file("data"), "a file, not a folder");
    blocked.expectStart(true, {blocked.defaultFile, "could not be written"});
    EXPECT_EQ(test::readBytes(blocked.dir.file("data")), "a file, not a folder");
    blocked.files.answers = {std::nullopt};  // Save then asks for a name instead of failing again
    EXPECT_FALSE(blocked.commands.save());
    EXPECT_EQ(blocked.files.requests.back().first, "save");
}

TEST(FileCommandsTest, RefusedFileOffersBackupsAndKeepsTheDamagedBytes) {
    Fixture f;
    const std::string aside = f.writeDefault(kDamaged);
    const std::string good = f.dir.file("data/Linkhaven/Default.lbak1");
    const std::string bad = f.dir.file("data/Linkhaven/Default.lbak3");
    f.writeDatabase(good, "from backup");
    const std::string goodBytes = test::readBytes(good);
    test::writeBytes(bad, "also damaged");
    f.backupAnswers = {bad, good};  // the refused backup returns to the list

    ASSERT_TRUE(f.start());
    EXPECT_EQ(f.backupLists.at(0).front().name, "Default.lbak3");
    EXPECT_TRUE(contains(f.prompter.shown.at(0).text, bad));
    EXPECT_EQ(f.titles.back(), "Default.lhd -- Linkhaven");
    EXPECT_EQ(test::readBytes(aside), kDamaged);
    EXPECT_TRUE(contains(f.lastMessage(), aside));
    // The restored database is written back as the data file at once; the backup is unchanged.
    EXPECT_TRUE(fileHas(f.defaultFile, "from backup"));
    EXPECT_EQ(test::readBytes(good), goodBytes);
}

TEST(FileCommandsTest, RefusedFileWithoutABackupAsksForANewDatabaseOrEnds) {
    for (Answer answer : {Answer::No, Answer::Yes}) {
        Fixture f;
        const std::string aside = f.writeDefault(kDamaged);
        f.writeDatabase(f.dir.file("data/Linkhaven/Default.lbak2"), "b");
        f.backupAnswers = {std::nullopt};
        f.prompter.answers = {answer};
        const bool yes = answer == Answer::Yes;
        EXPECT_EQ(f.start(), yes);  // No ends the program without writing
        EXPECT_TRUE(contains(f.prompter.shown.at(0).text, "new database?"));
        EXPECT_EQ(test::readBytes(yes ? aside : f.defaultFile), kDamaged);
        EXPECT_EQ(fileHas(f.defaultFile, "BBS"), yes);
        EXPECT_EQ(test::listFolder(f.dir.file("data/Linkhaven")).size(), yes ? 3u : 2u);
    }
    Fixture f;  // no backup at all, and every name the file could be kept under is taken
    const std::string aside = f.writeDefault(kDamaged);
    for (int n = 1; n <= 100; ++n) {
        test::writeBytes(n == 1 ? aside : aside + "-" + std::to_string(n), "taken");
    }
    f.prompter.answers = {Answer::Yes};
    EXPECT_FALSE(f.start());
    EXPECT_EQ(test::readBytes(f.defaultFile), kDamaged);
    EXPECT_EQ(test::readBytes(aside), "taken");
    EXPECT_TRUE(contains(f.lastMessage(), "could not be renamed"));
}

TEST(FileCommandsTest, AnEmptyDataFileBesideBackupsOffersThemAndANewDatabaseWritesNoBackup) {
    const auto writeBackups = [](Fixture& f) {
        for (const int slot : {1, 2}) {
            const std::string path =
                f.dir.file("data/Linkhaven/Default.lbak" + std::to_string(slot));
            f.writeDatabase(path, "backup " + std::to_string(slot));
            ASSERT_EQ(platform::setFileWriteTime(
                          path, platform::fileTimeOfLocal({2026, 12, slot, 9, 30, 0, 0})),
                      0);
        }
    };
    Fixture f;  // the user picks none and takes a new database
    const std::string aside = f.writeDefault("");
    writeBackups(f);
    const std::string slot1 = test::readBytes(f.dir.file("data/Linkhaven/Default.lbak1"));
    f.backupAnswers = {std::nullopt};
    f.prompter.answers = {Answer::Yes};
    ASSERT_TRUE(f.start());
    ASSERT_EQ(f.backupLists.size(), 1u);
    const auto& rows = f.backupLists[0];
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Default.lbak2");
    EXPECT_TRUE(rows[0].newest);
    EXPECT_EQ(f.prompter.shown.at(0).detail, "The file is empty.");
    EXPECT_TRUE(fileHas(f.defaultFile, "BBS"));
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_EQ(f.commands.backupTick(true), "");  // the backups keep what the file held
    EXPECT_TRUE(contains(f.status.back(), "No backup today"));
    EXPECT_EQ(test::readBytes(f.dir.file("data/Linkhaven/Default.lbak1")), slot1);
    EXPECT_EQ(test::listFolder(f.dir.file("data/Linkhaven")).size(), 4u);

    Fixture restored;  // a restored database is backed up as usual
    restored.writeDefault("");
    writeBackups(restored);
    restored.backupAnswers = {restored.dir.file("data/Linkhaven/Default.lbak2")};
    ASSERT_TRUE(restored.start());
    EXPECT_TRUE(hasCategory(restored.db, "backup 2"));
    EXPECT_EQ(restored.commands.backupTick(true),
              restored.dir.file("data/Linkhaven/Default.lbak3"));

    Fixture alone;  // an empty file without backups: the default database, and no backup today
    alone.writeDefault("");
    alone.expectStart(false, {});
    EXPECT_FALSE(alone.store.readRemotefile());  // remembered at close, not before
    EXPECT_EQ(alone.commands.backupTick(true), "");
    Fixture missing;  // a first start is backed up
    ASSERT_TRUE(missing.start());
    EXPECT_EQ(missing.commands.backupTick(true), missing.dir.file("data/Linkhaven/Default.lbak1"));
}

// --- The File menu -------------------------------------------------------------------------------

TEST(FileCommandsTest, NewExitAndTheCloseBoxAskToSaveAnUntitledDatabase) {
    Fixture f;
    f.db.createDefault();
    EXPECT_EQ(f.commands.closeRequested(true), Close::Minimize);
    EXPECT_TRUE(f.prompter.shown.empty());
    const long replaced = f.replacements();
    // Cancel, or a cancelled save dialog, stops the command: nothing dropped, nothing closed.
    f.prompter.answers = {Answer::Cancel, Answer::Yes, Answer::Cancel};
    f.files.answers = {std::nullopt};
    f.commands.newDatabase();
    f.commands.newDatabase();
    f.commands.exit();
    EXPECT_EQ(f.prompter.shown.back().text, "Save changes to Untitled?");
    EXPECT_EQ(f.prompter.shown.back().buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(f.files.requests.back().second.proposedName, "Untitled.lhd");
    EXPECT_EQ(f.replacements(), replaced);
    EXPECT_EQ(f.closed, 0);

    // Saved as entered (no extension added), or not saved; either way the command goes on.
    f.prompter.answers = {Answer::Yes, Answer::No, Answer::Yes};
    f.files.answers = {f.dir.file("new"), f.dir.file("exit")};
    f.commands.newDatabase();
    f.commands.newDatabase();
    f.commands.exit();
    EXPECT_TRUE(fileHas(f.dir.file("new"), "BBS"));
    EXPECT_EQ(f.titles.back(), kUntitledTitle);
    EXPECT_EQ(f.replacements(), replaced + 2);  // the views show each new database once
    EXPECT_EQ(f.closed, 1);

    // The close box: after a save the window stays open and the user closes again.
    f.prompter.answers = {Answer::Yes, Answer::No};
    f.files.answers = {f.dir.file("box")};
    EXPECT_EQ(f.commands.closeRequested(false), Close::StayOpen);
    EXPECT_EQ(f.prompter.shown.back().icon, Prompter::Icon::Question);
    EXPECT_EQ(f.commands.closeRequested(false), Close::Close);
    EXPECT_TRUE(f.commands.finishClose());  // an untitled database is not written
    EXPECT_EQ(test::listFolder(f.dir.path()), (Names{"box", "exit", "new"}));
}

TEST(FileCommandsTest, ATitledDatabaseIsSavedWithoutAQuestion) {
    Fixture f;  // the start removes the temporary files of saves that died, not a running one's
    const std::string old = f.dir.file(".work.lhd.saving-Old00000");
    test::writeBytes(old, "half a database");
    ASSERT_EQ(platform::setFileWriteTime(old, (std::time(nullptr) - 120) * 1'000'000'000LL), 0);
    test::writeBytes(f.dir.file(".work.lhd.saving-New00000"), "another start's save");
    f.startTitled();
    EXPECT_EQ(test::listFolder(f.dir.path()), (Names{".work.lhd.saving-New00000", "work.lhd"}));
    EXPECT_EQ(f.titles, Names{"work.lhd -- Linkhaven"});
    EXPECT_EQ(f.commands.closeRequested(false), Close::Close);
    f.commands.exit();
    EXPECT_EQ(f.closed, 1);
    f.db.addCategory(store::kRootId, {"added", {}, {}, {}});
    f.commands.newDatabase();  // saves first, and never writes the new database
    EXPECT_TRUE(f.prompter.shown.empty());
    EXPECT_TRUE(fileHas(f.dir.file("work.lhd"), "added"));
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_FALSE(hasCategory(f.db, "work"));

    // Open of an empty file makes a database there at once; closing saves it again.
    test::writeBytes(f.dir.file("empty.lhd"), "");
    f.files.answers = {f.dir.file("empty.lhd")};
    f.prompter.answers = {Answer::No};
    f.commands.openDatabase();
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("empty.lhd"));
    EXPECT_EQ(f.store.readRemotefile(), f.dir.file("empty.lhd"));
    EXPECT_TRUE(fileHas(f.dir.file("empty.lhd"), "BBS"));
    f.db.addCategory(store::kRootId, {"closed", {}, {}, {}});
    EXPECT_TRUE(f.commands.finishClose());
    EXPECT_FALSE(f.db.isOpen());
    EXPECT_TRUE(fileHas(f.dir.file("empty.lhd"), "closed"));
}

TEST(FileCommandsTest, OpenLoadsTheChosenFileAfterTheSaveQuestionAndRefusesADamagedOne) {
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
    EXPECT_FALSE(hasCategory(f.db, "other"));

    f.files.answers = {f.dir.file("other.lhd"), f.dir.file("notes.txt")};
    f.prompter.answers = {Answer::Yes};
    f.commands.openDatabase();
    EXPECT_TRUE(fileHas(f.dir.file("notes.txt.lhd"), "BBS"));  // Open's save adds it
    EXPECT_TRUE(hasCategory(f.db, "other"));
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("other.lhd"));
    EXPECT_EQ(f.store.readRemotefile(), f.dir.file("other.lhd"));
    EXPECT_EQ(f.titles.back(), "other.lhd -- Linkhaven");
    // Closing the old database and loading the new one reach the views as one change.
    EXPECT_EQ(f.replacements(), replaced + 1);
    f.views.expectInStep();

    // A notice about the new database comes once the views show it, not over a half-replaced
    // one: a damaged backup's, on the way to restoring another (a refused file is FileOpenTest's).
    test::writeBytes(f.dir.file("broken.lhd"), kDamaged);
    test::writeBytes(f.dir.file("broken.lbak1"), kDamaged);
    std::vector<std::string> viewsWhenTold;
    f.prompter.onShow = [&](const Prompter::Message&) {
        EXPECT_FALSE(f.db.inBulkChange());
        viewsWhenTold = f.views.events;
    };
    f.backupAnswers = {f.dir.file("broken.lbak1"), std::nullopt};
    f.commands.openDatabaseFile(f.dir.file("broken.lhd"));
    EXPECT_TRUE(contains(f.lastMessage(), "The backup"));
    f.writeDatabase(f.dir.file("broken.lbak2"), "restored");
    f.backupAnswers = {f.dir.file("broken.lbak2")};
    f.commands.openDatabaseFile(f.dir.file("broken.lhd"));
    EXPECT_TRUE(contains(f.lastMessage(), "kept as"));
    ASSERT_FALSE(viewsWhenTold.empty());
    EXPECT_EQ(viewsWhenTold.back(), "}bulk(replaced)");
    EXPECT_TRUE(hasCategory(f.db, "restored"));
}

TEST(FileCommandsTest, SaveAsNormalisesAndAdoptsOnlyAfterSuccess) {
    Fixture f;
    f.db.createDefault();
    f.files.answers = {f.dir.file("missing/x")};  // the save fails
    EXPECT_FALSE(f.commands.saveAs());
    EXPECT_TRUE(f.commands.isUntitled());
    EXPECT_TRUE(contains(f.lastMessage(), f.dir.file("missing/x.lhd")));
    EXPECT_TRUE(contains(f.lastMessage(), "does not exist"));

    f.files.answers = {f.dir.file("notes.LHD")};
    EXPECT_TRUE(f.commands.saveAs());
    f.files.answers = {f.dir.file("copy")};  // now titled: a copy, the data file stays
    EXPECT_TRUE(f.commands.saveAs());
    EXPECT_EQ(f.files.requests.back().second.proposedName, "notes.LHD");
    EXPECT_EQ(f.files.requests.back().second.folder, f.dir.path());
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("notes.LHD"));
    EXPECT_EQ(f.titles.back(), "notes.LHD -- Linkhaven");
    EXPECT_TRUE(std::filesystem::exists(f.dir.file("copy.lhd")));
}

TEST(FileCommandsTest, SaveAsFromADataFileThatCannotBeWrittenMakesTheCopyTheDataFile) {
    for (const bool byAutosave : {false, true}) {
        Fixture f;
        f.startTitled();
        f.blockDataFile();
        f.db.addCategory(store::kRootId, {"unsaved", {}, {}, {}});
        EXPECT_FALSE(byAutosave ? f.commands.autosave() : f.commands.save());
        f.files.answers = {f.dir.file("rescued")};
        EXPECT_TRUE(f.commands.saveAs());
        const std::string rescued = f.dir.file("rescued.lhd");
        EXPECT_EQ(f.commands.dataFile(), rescued);
        EXPECT_EQ(f.store.readRemotefile(), rescued);
        EXPECT_EQ(f.titles.back(), "rescued.lhd -- Linkhaven");
        ASSERT_FALSE(f.status.empty());
        EXPECT_TRUE(contains(f.status.back(), "now kept in " + rescued));
        f.db.addCategory(store::kRootId, {"later", {}, {}, {}});
        EXPECT_TRUE(f.commands.finishClose());  // the close saves to the copy
        EXPECT_TRUE(fileHas(rescued, "later"));
    }
    Fixture f;  // once the data file takes a save again, Save As writes a copy as before
    f.startTitled();
    f.blockDataFile();
    EXPECT_FALSE(f.commands.save());
    std::filesystem::remove(f.dir.file("work.lhd"));
    EXPECT_TRUE(f.commands.save());
    f.files.answers = {f.dir.file("copy")};
    EXPECT_TRUE(f.commands.saveAs());
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("work.lhd"));
    EXPECT_EQ(f.store.readRemotefile(), f.dir.file("work.lhd"));
}

TEST(FileCommandsTest, FailuresAreToldAndStopWhatNeededTheSave) {
    Fixture f;
    f.startTitled();
    f.blockDataFile();
    EXPECT_EQ(f.store.readRemotefile(), f.dir.file("work.lhd"));  // from the command line, at once
    f.db.addCategory(store::kRootId, {"unsaved", {}, {}, {}});
    EXPECT_FALSE(f.commands.save());
    EXPECT_TRUE(contains(f.lastMessage(), f.dir.file("work.lhd")));
    // The timers tell the status bar.
    EXPECT_FALSE(f.commands.autosave());
    EXPECT_TRUE(contains(f.status.back(), "Autosave failed"));
    std::filesystem::create_directory(f.dir.file("work.lbak1"));  // a slot that cannot be opened
    EXPECT_EQ(f.commands.backupTick(true), "");
    EXPECT_TRUE(contains(f.status.back(), "No backup today"));
    // New and Open stop instead of dropping the unsaved database.
    f.commands.newDatabase();
    EXPECT_TRUE(hasCategory(f.db, "work"));
    f.files.answers = {f.dir.file("other.lhd")};
    f.commands.openDatabase();
    EXPECT_TRUE(contains(f.lastMessage(), "It stays open."));
    EXPECT_TRUE(hasCategory(f.db, "work"));
    EXPECT_EQ(f.commands.dataFile(), f.dir.file("work.lhd"));
    // Closing asks before the changes are lost.
    f.prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(f.commands.finishClose());
    EXPECT_TRUE(f.db.isOpen());
    EXPECT_TRUE(contains(f.lastMessage(), "without saving"));
    EXPECT_TRUE(f.commands.finishClose());
}

// --- Another program's changes ------------------------------------------------------------------

TEST(FileCommandsTest, AnUnchangedDatabaseIsNotWrittenAndAnotherWritersFileIsLoadedQuietly) {
    Fixture f;
    f.startTitled();
    const std::string work = f.dir.file("work.lhd");
    const auto stamp = platform::fileStamp(work);
    EXPECT_FALSE(f.commands.autosave());
    ASSERT_TRUE(f.commands.finishClose());
    EXPECT_EQ(platform::fileStamp(work), stamp);  // not even rewritten with the same bytes

    Fixture g;
    g.startTitled();
    g.writeDatabase(g.dir.file("work.lhd"), "theirs");  // e.g. linkhaven-cli, or a sync
    g.commands.checkDataFile();
    EXPECT_TRUE(hasCategory(g.db, "theirs"));
    EXPECT_EQ(g.keptViews, 1);
    EXPECT_TRUE(contains(g.status.back(), "another program changed it"));
    EXPECT_TRUE(g.prompter.shown.empty());
    // Our own saves are never taken for another program's.
    g.db.addCategory(store::kRootId, {"mine", {}, {}, {}});
    EXPECT_TRUE(g.commands.autosave());
    EXPECT_TRUE(g.commands.save());
    g.commands.checkDataFile();
    EXPECT_EQ(g.keptViews, 1);
    EXPECT_TRUE(fileHas(g.dir.file("work.lhd"), "mine"));
    // A damaged file from elsewhere never empties ours.
    test::writeBytes(g.dir.file("work.lhd"), kDamaged);
    g.commands.checkDataFile();
    EXPECT_TRUE(hasCategory(g.db, "mine"));
    EXPECT_TRUE(contains(g.status.back(), "cannot be loaded"));
}

TEST(FileCommandsTest, OwnChangesMeetingAnotherWritersAskForTheFilesOursOrACopy) {
    // Each answer, with the file that ends on disk and the database that stays open.
    struct Case {
        Answer answer;
        bool fileHasMine, dbHasMine;
    };
    for (const Case c : {Case{Answer::Yes, false, false}, Case{Answer::No, true, true},
                         Case{Answer::Cancel, false, false}}) {
        Fixture f;
        f.startTitled();
        const std::string work = f.dir.file("work.lhd");
        f.db.addCategory(store::kRootId, {"mine", {}, {}, {}});
        f.writeDatabase(work, "theirs");
        f.prompter.answers = {c.answer};
        // The autosave asks first: it never writes over another program's file unasked.
        (void)f.commands.autosave();
        EXPECT_TRUE(contains(f.prompter.shown.at(0).text, "changed by another program"));
        EXPECT_EQ(fileHas(work, "mine"), c.fileHasMine);
        EXPECT_EQ(fileHas(work, "theirs"), !c.fileHasMine);
        EXPECT_EQ(hasCategory(f.db, "mine"), c.dbHasMine);
        EXPECT_EQ(hasCategory(f.db, "theirs"), !c.dbHasMine);
        EXPECT_EQ(fileHas(f.dir.file("work (my changes 2026-12-06 09-30-00).lhd"), "mine"),
                  c.answer == Answer::Cancel);
        EXPECT_FALSE(f.commands.hasUnsavedChanges());
    }
    // At the close, the file's version stays on disk without a load.
    Fixture f;
    f.startTitled();
    f.db.addCategory(store::kRootId, {"mine", {}, {}, {}});
    f.writeDatabase(f.dir.file("work.lhd"), "theirs");
    f.prompter.answers = {Answer::Yes};
    EXPECT_TRUE(f.commands.finishClose());
    EXPECT_TRUE(fileHas(f.dir.file("work.lhd"), "theirs"));
    EXPECT_FALSE(f.db.isOpen());
}

TEST(FileCommandsTest, AnUnattendedCloseNeverAsksAndKeepsBothVersions) {
    Fixture f;
    f.startTitled();
    f.db.addCategory(store::kRootId, {"mine", {}, {}, {}});
    f.writeDatabase(f.dir.file("work.lhd"), "theirs");
    EXPECT_TRUE(f.commands.finishCloseUnattended());  // no answers queued: a question would throw
    EXPECT_TRUE(fileHas(f.dir.file("work.lhd"), "theirs"));
    EXPECT_TRUE(fileHas(f.dir.file("work (my changes 2026-12-06 09-30-00).lhd"), "mine"));
    EXPECT_TRUE(contains(f.status.back(), "Your version was saved as"));
    // A save that fails ends the program anyway.
    Fixture g;
    g.startTitled();
    g.db.addCategory(store::kRootId, {"mine", {}, {}, {}});
    g.blockDataFile();
    EXPECT_TRUE(g.commands.finishCloseUnattended());
    EXPECT_TRUE(contains(g.status.back(), "could not be saved"));
    EXPECT_TRUE(g.prompter.shown.empty());
}

// --- Daily backups -------------------------------------------------------------------------------

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
    // A second start on the same day keeps the history; then the oldest slot is reused.
    const std::vector<std::pair<int, std::string>> runs = {{1, "1"}, {1, ""},  {2, "2"}, {3, "3"},
                                                           {4, "4"}, {5, "1"}, {6, "2"}};
    for (const auto& [d, slot] : runs) {
        EXPECT_EQ(runOnDay(data, d), slot.empty() ? "" : dir.file("my.lbak" + slot)) << d;
    }
    // Equal times: the lower number goes first.
    const platform::FileTime t = platform::fileTimeOfLocal(day(2));
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak3"), t), 0);
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak4"), t), 0);
    EXPECT_EQ(store::chooseBackupName(data), dir.file("my.lbak3"));
    // A strictly older slot wins even when read-only; it is made writable and overwritten.
    ASSERT_EQ(platform::setFileWriteTime(dir.file("my.lbak4"), t - 1'000'000'000), 0);
    ::chmod(dir.file("my.lbak4").c_str(), 0444);
    EXPECT_EQ(runOnDay(data, 7), dir.file("my.lbak4"));
    EXPECT_NE(std::filesystem::status(dir.file("my.lbak4")).permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    // The crash-safe save left no temporary file behind, and none named like a backup.
    EXPECT_EQ(test::listFolder(dir.path()),
              (Names{"my.lbak1", "my.lbak2", "my.lbak3", "my.lbak4", "my.lhd"}));
}

}  // namespace
}  // namespace lh::commands

#pragma once

// The FileCommands under test with everything around them: a temporary folder, a fake clock,
// scripted answers, and a window and restore dialog that record what they were asked.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "commands/FileCommands.h"
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

using Database = store::Database;

inline const std::string kDamaged = "not a database at all";
inline const std::string kUntitledTitle = "Untitled.lhd  Linkhaven";

inline bool hasCategory(const Database& db, const std::string& name) {
    return store::walkSearchOrder(db.root(),
                                  [&](const store::CategoryRecord& c) { return c.name() == name; });
}

// True when the database file `path` loads and holds a category `name`.
inline bool fileHas(const std::string& path, const std::string& name) {
    Database check;
    return test::load(check, path) == store::LoadOutcome::Loaded && hasCategory(check, name);
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The window (it records what it was asked to do) and the restore dialog (it picks backups from a
// queue, nothing = none chosen, and records the lists it was shown) around the commands.
struct FileCommandsFixture final : FileCommandsHost, BackupChooser {
    // With `dataFile`, that is the default data file (and `now` the clock's time).
    explicit FileCommandsFixture(const std::string& dataFile = {},
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
    test::DatabaseMirror views{db};  // what the views hear
    std::vector<std::string> titles, status;
    int closed = 0;
    int keptViews = 0;
    std::deque<std::optional<std::string>> backupAnswers;
    std::vector<std::vector<store::BackupRow>> backupLists;
    std::string defaultFile;
    FileCommands commands{{db, store, prompter, files, *this, *this, clock}, defaultFile};

    void setTitle(const std::string& title) override { titles.push_back(title); }
    void closeProgram() override { ++closed; }
    void showStatus(const std::string& text) override { status.push_back(text); }
    void keepViewOnNextLoad() override { ++keptViews; }
    std::optional<std::string> chooseBackup(const std::string&,
                                            const std::vector<store::BackupRow>& rows) override {
        backupLists.push_back(rows);
        auto a = backupAnswers.at(0);  // throws when none is queued: an unexpected dialog
        backupAnswers.pop_front();
        return a;
    }

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
    // Makes `bytes` the default data file; gives the name a damaged one is kept under.
    std::string writeDefault(const std::string& bytes) {
        std::filesystem::create_directories(dir.file("data/Linkhaven"));
        test::writeBytes(defaultFile, bytes);
        return defaultFile + ".damaged-20261206-093000";
    }
    bool start() {
        commands.locateDataFile();
        return commands.openAtStart();
    }
    // Starts titled on a fresh file "work.lhd", named on the command line (and so remembered at
    // once) relative to the current folder after an argument that is not a data file.
    void startTitled() {
        writeDatabase(dir.file("work.lhd"), "work");
        commands.takeCommandLine({"readme.txt", "work.lhd"}, dir.path());
        ASSERT_TRUE(start());
    }
    // Puts a folder where "work.lhd" was: the data file can no longer be written.
    void blockDataFile() {
        std::filesystem::remove(dir.file("work.lhd"));
        std::filesystem::create_directory(dir.file("work.lhd"));
    }
    std::string lastMessage() const {
        return prompter.shown.empty() ? std::string() : prompter.shown.back().text;
    }
    // Starts on the default data file (or untitled) and checks the title and the one message
    // shown (each of `parts` in it), or that none was.
    void expectStart(bool untitled, const std::vector<std::string>& parts) {
        ASSERT_TRUE(start());
        EXPECT_EQ(commands.dataFile(), untitled ? "" : defaultFile);
        EXPECT_EQ(titles.back(), untitled ? kUntitledTitle : "Default.lhd -- Linkhaven");
        EXPECT_EQ(prompter.shown.size(), parts.empty() ? 0u : 1u);
        for (const std::string& part : parts) {
            EXPECT_TRUE(contains(lastMessage(), part)) << part;
        }
        EXPECT_EQ(fileHas(defaultFile, "BBS"), !untitled);
    }
};

}  // namespace lh::commands

#include "commands/FolderMemoryChooser.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsBackend.h"
#include "support/ScriptedPrompter.h"

namespace lh::commands {
namespace {

TEST(FolderMemoryChooserTest, DialogsStartInTheirLastFolderElseTheDataFilesNeverTheWorkingOne) {
    test::ScriptedFileChooser dialogs;
    test::MemorySettingsBackend backend;
    std::string dataFile;
    FolderMemoryChooser files(
        dialogs, backend, [&] { return dataFile; }, "/home/ann");
    const auto startedIn = [&] { return dialogs.requests.back().second.folder; };

    // No data file yet and nothing remembered: the home folder, not the working one.
    dialogs.answers = {std::nullopt};
    EXPECT_EQ(files.chooseFileToOpen({"Open", "", "", "*.lhd"}), std::nullopt);
    EXPECT_EQ(startedIn(), "/home/ann");

    // The data file's folder; a cancelled dialog remembers nothing.
    dataFile = "/home/ann/notes/Default.lhd";
    dialogs.answers = {std::nullopt, std::string("/srv/exports/links.html")};
    (void)files.chooseFileToOpen({"Open", "", "", "*.lhd"});
    EXPECT_EQ(startedIn(), "/home/ann/notes");
    EXPECT_EQ(files.chooseFileToSave({"Export", "", "links.html", "*.html"}),
              "/srv/exports/links.html");
    EXPECT_EQ(startedIn(), "/home/ann/notes");

    // Each dialog remembers its own last folder, also across instances (in the settings).
    FolderMemoryChooser later(
        dialogs, backend, [&] { return dataFile; }, "/home/ann");
    dialogs.answers = {std::nullopt, std::nullopt};
    (void)later.chooseFileToSave({"Export", "", "links.html", "*.html"});
    EXPECT_EQ(startedIn(), "/srv/exports");
    (void)later.chooseFileToOpen({"Open", "", "", "*.lhd"});
    EXPECT_EQ(startedIn(), "/home/ann/notes");

    // A folder dialog remembers the folder chosen; a folder named by the caller is kept.
    dialogs.answers = {std::string("/media/pictures"), std::nullopt};
    (void)files.chooseFolder({"Browse", "", "", ""});
    (void)files.chooseFolder({"Browse", "/fixed", "", ""});
    EXPECT_EQ(startedIn(), "/fixed");
    EXPECT_EQ(files.startFolder("Browse"), "/media/pictures");
    // Several files: the folder of the first.
    dialogs.answers = {std::string("/data/a/one.txt")};
    EXPECT_EQ(files.chooseFilesToOpen({"Add", "", "", ""}),
              (std::vector<std::string>{"/data/a/one.txt"}));
    EXPECT_EQ(files.startFolder("Add"), "/data/a");
}

}  // namespace
}  // namespace lh::commands

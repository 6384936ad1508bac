#include "gui/bookmarks/ImportActions.h"

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QProgressDialog>

#include <gtest/gtest.h>

#include "gui/shell/ActionRegistry.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/BookmarkTrees.h"
#include "support/DatabaseMirror.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

// The progress dialog, while it shows (application-modal).
QProgressDialog* progressDialog() {
    return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
}

// What the imports find and count is the readers' own (tests/bookmarks); these check the
// questions, the progress, the settings used and what reaches the status bar.
class ImportActionsTest : public ::testing::Test {
protected:
    ImportActionsTest() {
        db.createDefault();
        actions.setProgressDelay(std::chrono::hours(1));  // no dialog unless a test wants one
        actions.setFirefoxEnvironment({dir.path(), ""});
        QObject::connect(&actions, &ImportActions::finished,
                         [this](const QString& status) { statusBar = status.toStdString(); });
    }

    // Chooses `id` from the menu; returns what the status bar would show.
    std::string choose(CommandId id) {
        statusBar.clear();
        registry.action(id)->trigger();
        return statusBar;
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser chooser;
    settings::AppSettings settings;
    test::TempDir dir;
    ActionRegistry registry;
    ImportActions actions{registry, {db, prompter, chooser, settings}};
    std::string statusBar;
};

TEST_F(ImportActionsTest, ImportsABookmarkFileAndSummarisesIt) {
    int reports = 0;
    QObject::connect(&actions, &ImportActions::progressed, [&] {
        ++reports;
        EXPECT_EQ(progressDialog(), nullptr);  // a quick import shows no dialog
    });
    settings.URLNormal = 5;  // the rate new links get
    chooser.answers.push_back(test::dataFile("bookmarks/chrome.html"));
    EXPECT_EQ(choose(CommandId::ImportBookmarkFile),
              "Imported 6 links into 4 new categories; 0 duplicates skipped.");
    ASSERT_NE(db.findMenuItem(0), nullptr);
    EXPECT_EQ(db.findMenuItem(0)->rate(), 5);
    EXPECT_EQ(chooser.requests.at(0).first, "open");
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_GT(reports, 0);

    chooser.answers.push_back(std::nullopt);  // cancelled: the status stays
    EXPECT_EQ(choose(CommandId::ImportBookmarkFile), "");
}

TEST_F(ImportActionsTest, ShowsProgressThatCancelsAndHoldsOtherCommandsMeanwhile) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><H3>Many</H3><DL>\n";
    for (int i = 0; i < 8000; ++i) {
        text += "<DT><A HREF=\"https://many.example/" + std::to_string(i) + "\">L</A>\n";
    }
    test::writeBytes(dir.file("many.html"), text);
    actions.setProgressDelay(std::chrono::milliseconds(0));
    int reports = 0;
    QString nested = QStringLiteral("not called");
    QObject::connect(&actions, &ImportActions::progressed, [&] {
        EXPECT_TRUE(actions.isRunning());
        if (++reports == 2) {
            nested = actions.importBookmarkFile();  // asks nothing while an import runs
            EXPECT_FALSE(registry.action(CommandId::ImportFirefox)->isEnabled());
            EXPECT_FALSE(registry.action(CommandId::ExportBookmarkFile)->isEnabled());
            ASSERT_NE(progressDialog(), nullptr);  // shown at the first report
            progressDialog()->cancel();
        }
    });
    chooser.answers.push_back(dir.file("many.html"));
    const QString summary = actions.importBookmarkFile();
    EXPECT_EQ(nested, QString());
    EXPECT_EQ(chooser.requests.size(), 1u);
    EXPECT_LT(db.itemCount(), 8000u);
    EXPECT_EQ(summary.toStdString().rfind("Import cancelled. Imported ", 0), 0u);
    // The program asked to end (a signal), with no progress dialog shown: the import stops at its
    // next step and keeps what it did.
    std::string other = text;
    for (std::size_t at = other.find("many."); at != std::string::npos; at = other.find("many.")) {
        other.replace(at, 5, "other.");
    }
    test::writeBytes(dir.file("other.html"), other);
    actions.setProgressDelay(std::chrono::hours(1));
    const std::size_t before = db.itemCount();
    const int endAt = reports + 2;
    QObject::connect(&actions, &ImportActions::progressed, [&] {
        if (reports == endAt) {
            actions.cancel();
        }
    });
    chooser.answers.push_back(dir.file("other.html"));
    EXPECT_EQ(actions.importBookmarkFile().toStdString().rfind("Import cancelled. Imported ", 0),
              0u);
    EXPECT_GT(db.itemCount(), before);
    EXPECT_LT(db.itemCount(), before + 8000u);
    // Links the rules skip, and those whose address is too long, are counted after the summary.
    chooser.answers.push_back(test::dataFile("bookmarks/unquoted.html"));
    EXPECT_EQ(choose(CommandId::ImportBookmarkFile),
              "Imported 1 links into 1 new categories; 0 duplicates skipped. 5 links skipped (no "
              "title, no usable address, or an address not in double quotes).");
    chooser.answers.push_back(test::dataFile("bookmarks/long-address.html"));
    EXPECT_EQ(choose(CommandId::ImportBookmarkFile),
              "Imported 1 links into 1 new categories; 0 duplicates skipped. 1 links skipped for "
              "an address longer than 2000 characters.");

    EXPECT_EQ(progressDialog(), nullptr);
    EXPECT_FALSE(actions.isRunning());
    EXPECT_TRUE(registry.action(CommandId::ImportFirefox)->isEnabled());
    EXPECT_TRUE(registry.action(CommandId::ExportBookmarkFile)->isEnabled());
}

TEST_F(ImportActionsTest, AsksForTheFavoritesFolderOnceAndRemembersIt) {
    ::mkdir(dir.file("Favorites").c_str(), 0755);
    test::writeBytes(dir.file("Favorites/Site.url"), "[InternetShortcut]\nURL=https://s/\n");
    chooser.answers.push_back(dir.file("Favorites"));
    EXPECT_EQ(choose(CommandId::ImportFavoritesFolder),
              "Imported 1 links into 0 new categories; 0 duplicates skipped.");
    EXPECT_EQ(chooser.requests.at(0).first, "folder");
    EXPECT_EQ(settings.FavoritesFolder, dir.file("Favorites"));
    EXPECT_NE(choose(CommandId::ImportFavoritesFolder), "");  // no second question
    EXPECT_EQ(chooser.requests.size(), 1u);
    settings.FavoritesFolder = dir.file("gone");
    chooser.answers.push_back(std::nullopt);
    EXPECT_EQ(choose(CommandId::ImportFavoritesFolder), "");  // cancelled: the status stays
    EXPECT_EQ(settings.FavoritesFolder, dir.file("gone"));
}

// A big export shows its progress; Cancel leaves no file and says so.
TEST_F(ImportActionsTest, ExportsShowProgressAndACancelLeavesNoFile) {
    for (int i = 0; i < 9000; ++i) {  // two progress reports
        db.addItem(store::kFavoritesId,
                   test::link("L", "https://l.example/" + std::to_string(i), store::kKindUrl));
    }
    actions.setProgressDelay(std::chrono::milliseconds(0));
    QString label;
    QObject::connect(&actions, &ImportActions::progressed, [&] {
        if (progressDialog() != nullptr) {  // shown after the first report
            label = progressDialog()->labelText();
            progressDialog()->cancel();
        }
    });
    const std::string out = dir.file("out.html");
    chooser.answers.push_back(out);
    EXPECT_EQ(choose(CommandId::ExportBookmarkFile),
              "Export cancelled. Nothing was written to \"" + out + "\".");
    EXPECT_EQ(label, QStringLiteral("Exporting bookmarks..."));
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
    EXPECT_EQ(progressDialog(), nullptr);
    EXPECT_TRUE(prompter.shown.empty());
}

// A written export's status is MainWindowTest's; a failure is told in a warning as well.
TEST_F(ImportActionsTest, TellsWhyAnImportOrAnExportFailed) {
    EXPECT_EQ(choose(CommandId::ImportFirefox), "No Firefox profile was found.");
    chooser.answers.push_back(dir.file("no-such-folder/out.html"));
    EXPECT_EQ(choose(CommandId::ExportBookmarkFile).rfind("Cannot write the bookmark file: ", 0),
              0u);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "No Firefox profile was found.");
    EXPECT_EQ(prompter.shown[1].text, statusBar);
    EXPECT_EQ(prompter.shown[1].icon, commands::Prompter::Icon::Warning);
}

}  // namespace
}  // namespace lh::gui

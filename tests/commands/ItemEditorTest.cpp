#include "commands/ItemEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using Texts = std::vector<std::string>;

class ItemEditorTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }

    Texts titles(store::CategoryId id) const { return test::itemTitles(db, id); }
    FileValues fileValues(std::string names, std::string folder, bool mustExist = false) const {
        return {std::move(names), std::move(folder), "memo", 4, store::CategoryId{5}, mustExist};
    }

    test::FakeClock clock{{2026, 3, 4, 5, 6, 7, 3}};
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    ItemEditor editor{db, prompter, clock};
    test::TempDir dir;
};

TEST_F(ItemEditorTest, AddUrlChecksItsFieldsAndRefusesAnAddressKnownInAnyCase) {
    EXPECT_EQ(editor.addUrl({"  \t", "http://a", "", 3, 5}), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), ItemInput::Title);
    EXPECT_EQ(editor.addUrl({"A", "  ", "", 3, 5}), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), ItemInput::Address);
    EXPECT_EQ(editor.addUrl({"A", "http://a", "", 3, std::nullopt}), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (Texts{"Please input title.", "Please input Url."}));
    EXPECT_TRUE(titles(5).empty());

    const std::string longTitle = "  " + std::string(699, 't') + "\xC3\xA9" + "more";
    ASSERT_EQ(editor.addUrl({longTitle, " http://x.org/P \n", std::string(2100, 'm'), 3, 5}),
              DialogOutcome::Close);
    const store::ItemRecord& added = *db.findCategory(5)->firstItem();
    EXPECT_EQ(added.title(), std::string(699, 't'));  // 700 bytes would split the last letter
    EXPECT_EQ(added.address(), "http://x.org/P");
    EXPECT_EQ(added.comment().size(), 2000u);
    EXPECT_EQ(added.createTime(), (store::DateTimeStamp{2026, 3, 4, 5, 6, 7, 0}));

    // A known address differing only in case, even one kept in "Recycle", is a duplicate; the
    // dialog closes without adding.
    db.addItem(store::kRecycleId, test::link("old",
                                             "http://\xC3\x9C"
                                             "ber.org/"));
    prompter.shown.clear();
    EXPECT_EQ(editor.addUrl({"B",
                             "HTTP://\xC3\xBC"
                             "BER.ORG/",
                             "", 1, 4}),
              DialogOutcome::Close);
    EXPECT_EQ(prompter.texts(), (Texts{"Duplicate URL"}));
    EXPECT_TRUE(titles(4).empty());
}

TEST_F(ItemEditorTest, EditUrlCutsOnlyAChangedTitleAndMovesOnlyWhenAskedTo) {
    const store::ItemRecord& item = *db.addItem(5, test::link(std::string(300, 'a'), "http://a"));
    db.addItem(6, test::link("other", "http://b"));
    // An unchanged long title stays whole; the address of another item is no obstacle.
    ASSERT_EQ(editor.editUrl(item.id(), {std::string(300, 'a'), "http://b", "c", 2, 5}),
              DialogOutcome::Close);
    EXPECT_EQ(item.title().size(), 300u);
    EXPECT_EQ(item.address(), "http://b");

    editor.editUrl(item.id(), {std::string(250, 'b'), "http://b", "", 2, 5});
    EXPECT_EQ(item.title(), std::string(200, 'b'));
    editor.editUrl(item.id(), {std::string(200, 'B'), "http://b", "", 2, 5});
    EXPECT_EQ(item.title(), std::string(200, 'B'));  // a change of case alone is stored

    // Refusals change nothing.
    EXPECT_EQ(editor.editUrl(item.id(), {"", "http://z", "", 5, 6}), DialogOutcome::KeepOpen);
    EXPECT_EQ(item.address(), "http://b");

    // Into category 4 an item goes in front; elsewhere at the end.
    db.addItem(4, test::link("first", "http://c"));
    editor.editUrl(item.id(), {"moved", "http://b", "", 2, 4});
    EXPECT_EQ(titles(4), (Texts{"moved", "first"}));
    editor.editUrl(item.id(), {"moved", "http://b", "", 2, 6});
    EXPECT_EQ(titles(6), (Texts{"other", "moved"}));

    // An item in "Recycle" edited with its own category stays there.
    const store::ItemRecord& recycled = *db.addItem(store::kRecycleId, test::link("r", "http://r"));
    editor.editUrl(recycled.id(), {"r2", "http://r", "", 1, store::kRecycleId});
    EXPECT_EQ(titles(store::kRecycleId), (Texts{"r2"}));
}

TEST_F(ItemEditorTest, CommentsLongerThanTheLimitAreRefused) {
    const store::ItemRecord& item = *db.addItem(5, test::link("a", "http://a"));
    EXPECT_EQ(editor.editComment(item.id(), std::string(2001, 'c')), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (Texts{"Comment length more than 2000!"}));
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Stop);
    EXPECT_TRUE(item.comment().empty());
    EXPECT_EQ(editor.editComment(item.id(), std::string(2000, 'c')), DialogOutcome::Close);
    EXPECT_EQ(item.comment().size(), 2000u);
}

TEST_F(ItemEditorTest, AddFileChecksEveryNameBeforeAddingAny) {
    test::writeBytes(dir.file("one"), "1");
    test::writeBytes(dir.file("two"), "22");
    EXPECT_EQ(editor.addFiles(fileValues(" | ", dir.path())), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.addFiles(fileValues("one", "")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), ItemInput::FilePath);
    EXPECT_EQ(editor.addFiles(fileValues("one", "relative/x")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.addFiles(fileValues("one", dir.path() + "//x")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.addFiles(fileValues("one|gone", dir.path(), true)), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(),
              (Texts{"Please input filename.", "Please input file path.", "Invalid file path.",
                     "Invalid file path.", "The file is not exist!"}));
    EXPECT_TRUE(titles(5).empty());

    // A list naming a file already kept anywhere (exactly) adds nothing.
    db.addItem(store::kRecycleId, test::fileItem("two", dir.path()));
    prompter.shown.clear();
    EXPECT_EQ(editor.addFiles(fileValues("one|two", dir.path() + "/")), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (Texts{"Duplicate file."}));
    EXPECT_EQ(editor.addFiles(fileValues("one|one", dir.path())), DialogOutcome::KeepOpen);
    EXPECT_TRUE(titles(5).empty());

    // "TWO" is another file on Linux; a missing one gets size 0; names are cleaned.
    ASSERT_EQ(editor.addFiles(fileValues("one | TWO|a/b:c", dir.path() + "/")),
              DialogOutcome::Close);
    EXPECT_EQ(titles(5), (Texts{"one", "TWO", "a_b_c"}));
    const store::ItemRecord& one = *db.findCategory(5)->firstItem();
    EXPECT_EQ(one.location(), dir.path());
    EXPECT_EQ(one.fileSize(), 1u);
    EXPECT_EQ(one.next()->fileSize(), 0u);
    EXPECT_EQ(one.kind(), store::kKindFile);
    EXPECT_EQ(one.comment(), "memo");
}

TEST_F(ItemEditorTest, AddBatchAddsFromTheLastRowAndSaysWhatItSkipped) {
    for (const char* name : {"first", "second", "third", "kept"}) {
        test::writeBytes(dir.file(name), name);
    }
    db.addItem(4, test::fileItem("kept", dir.path()));
    BatchValues values{{{"first", dir.path()},
                        {"missing", dir.path()},
                        {"second", dir.path()},
                        {"kept", dir.path()},
                        {"third", dir.path()}},
                       "m",
                       5,
                       std::nullopt};
    EXPECT_EQ(editor.addBatch(values), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (Texts{"Seek Current Pointer error!"}));

    db.addItem(6, test::fileItem("before", dir.path()));
    values.category = 6;
    prompter.shown.clear();
    ASSERT_EQ(editor.addBatch(values), DialogOutcome::Close);
    EXPECT_EQ(titles(6), (Texts{"before", "third", "second", "first"}));
    EXPECT_EQ(prompter.texts(),
              (Texts{"Skipped 2 file(s): 1 already in the list, 1 cannot be opened."}));
    EXPECT_EQ(db.findCategory(6)->firstItem()->next()->fileSize(), 5u);
}

TEST_F(ItemEditorTest, EditFileRenamesTheFileOnDiskOrChangesNothing) {
    test::writeBytes(dir.file("a.txt"), "A");
    test::writeBytes(dir.file("taken"), "T");
    const store::ItemRecord& item =
        *db.addItem(store::kRecycleId, test::fileItem("a.txt", dir.path()));
    const auto edit = [&](std::string name, std::string folder) {
        return editor.editFile(
            item.id(), {std::move(name), std::move(folder), "", 2, store::kRecycleId, false});
    };

    ASSERT_EQ(edit("b.txt", dir.path()), DialogOutcome::Close);
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"b.txt", "taken"}));
    EXPECT_EQ(item.title(), "b.txt");
    ASSERT_EQ(edit("B.txt", dir.path()), DialogOutcome::Close);  // case alone
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"B.txt", "taken"}));

    // Never over another file: the record keeps its name and the user hears why.
    EXPECT_EQ(edit("taken", dir.path()), DialogOutcome::KeepOpen);
    EXPECT_EQ(item.title(), "B.txt");
    EXPECT_EQ(test::readBytes(dir.file("taken")), "T");
    EXPECT_EQ(prompter.texts(), (Texts{std::string(kRenameFailedMessage)}));

    // Into another folder.
    test::TempDir other;
    ASSERT_EQ(edit("c.txt", other.path()), DialogOutcome::Close);
    EXPECT_EQ(test::readBytes(other.file("c.txt")), "A");
    EXPECT_EQ(item.location(), other.path());

    // A record whose name leads out of its folder moves nothing.
    const store::ItemRecord& outside =
        *db.addItem(5, test::fileItem("../taken", dir.path() + "/sub"));
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(editor.editFile(outside.id(), {"x", dir.path() + "/sub", "", 1, 5, false}),
              DialogOutcome::KeepOpen);
    EXPECT_EQ(test::readBytes(dir.file("taken")), "T");
    EXPECT_EQ(outside.title(), "../taken");

    // With no file at the old path the record simply takes the new values.
    const store::ItemRecord& gone = *db.addItem(5, test::fileItem("gone", dir.path()));
    ASSERT_EQ(editor.editFile(gone.id(), {"new", "/nowhere", "", 1, 5, false}),
              DialogOutcome::Close);
    EXPECT_EQ(gone.title(), "new");
    EXPECT_EQ(gone.location(), "/nowhere");
}

// ItemDialogsTest saves a chosen category; with none chosen the stored one stays.
TEST_F(ItemEditorTest, SavesTheUrlRateAloneWithoutACategory) {
    settings::AppSettings settings;
    settings.URLNormal1 = 7;
    ItemEditor::saveUrlDefaults(settings, std::nullopt, 2);
    EXPECT_EQ(settings.URLNormal1, 7);
    EXPECT_EQ(settings.URLNormal, 2);
}

}  // namespace
}  // namespace lh::commands

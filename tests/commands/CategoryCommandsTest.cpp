#include "commands/CategoryCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using store::CategoryId;
using store::CategoryRecord;
using Texts = std::vector<std::string>;
using enum DialogOutcome;
using enum DeleteOrigin;
using enum Prompter::Answer;

// Keeps the current category and records each time the commands make another one current.
struct RecordingHost : CategoryCommandsHost {
    std::optional<CategoryId> current;
    std::vector<CategoryId> madeCurrent;

    std::optional<CategoryId> currentCategory() const override { return current; }
    void makeCurrent(CategoryId id) override {
        current = id;
        madeCurrent.push_back(id);
    }
};

Texts childNames(const CategoryRecord& parent) {
    Texts names;
    for (const CategoryRecord* c = parent.firstChild(); c != nullptr; c = c->nextSibling()) {
        names.push_back(c->name());
    }
    return names;
}

class CategoryCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    const CategoryRecord& cat(CategoryId id) { return *db.findCategory(id); }
    // Creates `name` under `parent` and gives its id (a new category is the last child).
    CategoryId createIn(CategoryId parent, const std::string& name) {
        EXPECT_EQ(commands.create(parent, name, ""), Close);
        return cat(parent).lastChild()->id();
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    RecordingHost host;
    CategoryCommands commands{db, prompter, host};
};

TEST_F(CategoryCommandsTest, CreateChecksLengthAndExactDuplicates) {
    // Another letter case is another name; untrimmed names are taken as typed. No parent chosen,
    // or one that is gone: the dialog closes and nothing is made.
    const std::string longest(156, 'n');
    const std::vector<std::tuple<std::optional<CategoryId>, std::string, DialogOutcome>> cases = {
        {3, "", KeepOpen},     {3, longest + "x", KeepOpen}, {3, "Life", KeepOpen},
        {3, "LIFE", Close},    {3, longest, Close},          {3, " Life ", Close},
        {{}, "Orphan", Close}, {999, "Orphan", Close}};
    for (const auto& [parent, name, outcome] : cases) {
        EXPECT_EQ(commands.create(parent, name, std::string(3100, 'm')), outcome) << name;
    }
    EXPECT_EQ(prompter.texts(), (Texts{" Category name length is between 1--156 ",
                                       " Category name length is between 1--156 ",
                                       "Category name \"Life\" is duplicate."}));
    EXPECT_EQ(childNames(cat(3)), (Texts{"Life", "Technology", "Joke", "LIFE", longest, " Life "}));
    // Only a name over the limit is told its size, in bytes.
    EXPECT_EQ(prompter.shown[0].detail, "");
    EXPECT_EQ(prompter.shown[1].detail, "The limit is 156 bytes of UTF-8; this name has 157.");
    std::string umlauts;
    for (int i = 0; i < 80; ++i) {
        umlauts += "\xC3\xBC";
    }
    EXPECT_EQ(commands.create(3, umlauts, ""), KeepOpen);
    EXPECT_EQ(prompter.shown.back().detail, "The limit is 156 bytes of UTF-8; this name has 160.");
    EXPECT_EQ(db.categoryCount(), 13u);
    EXPECT_EQ(cat(18).memo(), std::string(3000, 'm'));
}

TEST_F(CategoryCommandsTest, MoveRefusesDescendantsDuplicatesAndFixedCategories) {
    // Onto itself or nowhere: closes silently. Into its own descendant: refused. A sibling of
    // that name under the target keeps the dialog open. "WebFavorite" and "Recycle" never move.
    // A real move: last child of the target, the depths below it follow.
    test::DatabaseMirror mirror(db);
    const std::vector<std::tuple<CategoryId, std::optional<CategoryId>, DialogOutcome>> cases = {
        {3, 3, Close}, {3, {}, Close}, {3, 7, Close}, {4, 3, KeepOpen},
        {2, 3, Close}, {1, 3, Close},  {3, 6, Close}};
    for (const auto& [moved, target, outcome] : cases) {
        EXPECT_EQ(commands.move(moved, target), outcome) << moved;
    }
    EXPECT_EQ(prompter.texts(),
              (Texts{"Can't move Category!", "Category name \"Joke\" is duplicate."}));
    EXPECT_EQ(mirror.events, (Texts{"cats> 1 0-0 to 6@0"}));
    EXPECT_EQ(cat(7).depth(), 4);
}

TEST_F(CategoryCommandsTest, DeleteAsksFollowsEachMenusIdRulesAndMovesTheCurrentFirst) {
    // The current category itself: the first category below the root becomes current.
    host.current = 8;
    prompter.answers = {Ok, Ok, Ok};
    commands.deleteCategory(8, ContextMenu);
    EXPECT_EQ(host.madeCurrent, std::vector<CategoryId>{1});
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Question);
    // An ancestor of the current one: the deleted category's parent becomes current.
    const CategoryId mirror = createIn(5, "Mirror");
    host.current = createIn(mirror, "Inner");
    commands.deleteCategory(mirror, ContextMenu);
    EXPECT_EQ(host.current, 5);
    // A current category elsewhere stays.
    host.current = 4;
    host.madeCurrent.clear();
    commands.deleteCategory(6, ContextMenu);
    EXPECT_EQ(host.current, 4);
    EXPECT_TRUE(host.madeCurrent.empty());

    // The main menu's Delete takes ids from 3 on, the tree's from 5 on (what goes with them is
    // DatabaseTest's); Cancel ends the command.
    const std::vector<std::tuple<CategoryId, DeleteOrigin, Prompter::Answer, bool>> cases = {
        {5, MainMenu, Cancel, false},
        {4, ContextMenu, Ok, false},
        {2, MainMenu, Ok, false},
        {3, MainMenu, Ok, true},
        {5, ContextMenu, Ok, true}};
    for (const auto& [id, origin, answer, goes] : cases) {
        prompter.answers = {answer};
        commands.deleteCategory(id, origin);
        EXPECT_EQ(db.findCategory(id) == nullptr, goes) << id;
    }
    EXPECT_EQ(prompter.shown.size(), 8u);
    commands.deleteCategory(999, ContextMenu);  // gone: asks nothing
}

TEST_F(CategoryCommandsTest, OnlyTheTreesDeleteOfAFileCategoryAsksAboutFiles) {
    test::TempDir dir;
    db.setCategoryClass(2, store::kClassFile);
    prompter.answers = {Ok, No, Ok, Yes, Ok, Ok};
    std::filesystem::create_directory(dir.file("folder"));
    for (const auto& [name, origin] :
         {std::pair{"keep", ContextMenu}, {"drop", ContextMenu}, {"menu", MainMenu}}) {
        const CategoryId category = createIn(2, name);
        test::writeBytes(dir.file(name), "x");
        store::ItemFields file;
        file.location = dir.path();
        file.title = name;
        db.addItem(category, file);
        file.title = "folder";  // never deleted: reported when the files are asked to go
        db.addItem(category, file);
        commands.deleteCategory(category, origin);
    }
    const std::string sure = "Delete Category and it's sub-categories ? ";
    EXPECT_EQ(prompter.texts(), (Texts{sure, "Also delete file(s)?", sure, "Also delete file(s)?",
                                       "These files could not be deleted:\n'" + dir.file("folder") +
                                           "' is a folder, not a file",
                                       sure}));
    EXPECT_EQ(prompter.shown[1].buttons, Prompter::Buttons::YesNo);
    // The question names what goes with the category.
    EXPECT_EQ(prompter.shown[0].detail, "'keep' with 0 sub-categories and 2 items");
    const CategoryId bulk = createIn(1, "Bulk");
    createIn(bulk, "Inner");
    db.addItem(bulk, test::link("t", "http://bulk/"));
    EXPECT_EQ(CategoryCommands::deleteDetail(cat(bulk)), "'Bulk' with 1 sub-category and 1 link");
    EXPECT_EQ(test::listFolder(dir.path()), (Texts{"folder", "keep", "menu"}));
    EXPECT_EQ(cat(2).firstChild(), nullptr);
}

TEST_F(CategoryCommandsTest, PropertiesStoreTheCommentEvenWhenTheNameIsRefused) {
    // Typed name and comment, then the outcome and the name and comment kept. A blank name does
    // nothing, silently; a sibling's name is refused but the comment is kept; its own name only
    // changes the comment. A new name is trimmed and cut to 156 bytes on a character boundary,
    // the comment to 3000.
    const std::string j156(156, 'j'), x155(155, 'x'), c3000(3000, 'c');
    const std::vector<std::tuple<std::string, std::string, DialogOutcome, std::string, std::string>>
        edits = {{"   ", "first", KeepOpen, "Joke", ""},
                 {" BBS ", "second", KeepOpen, "Joke", "second"},
                 {"Joke", "third", Close, "Joke", "third"},
                 {"  " + j156 + "jjj\t", c3000 + "ccc", Close, j156, c3000},
                 {x155 + "\xC3\xA9", "", Close, x155, ""}};
    for (const auto& [typed, comment, outcome, name, memo] : edits) {
        EXPECT_EQ(commands.applyProperties(4, typed, comment), outcome) << typed;
        EXPECT_EQ(std::pair(cat(4).name(), cat(4).memo()), std::pair(name, memo)) << typed;
    }
    EXPECT_EQ(prompter.texts(), Texts{"Duplicate name"});

    // The fixed categories, even with a blank name, and the other classes keep their names.
    db.setCategoryClass(2, store::kClassRemind);
    const CategoryId alarms = createIn(2, "Alarms");
    const std::vector<std::tuple<CategoryId, std::string, std::string>> kept = {
        {store::kRootId, "Other", "Linkhaven"},
        {2, "Bin", "Recycle"},
        {1, "", "Webfavorite"},
        {alarms, "Bells", "Alarms"}};
    for (const auto& [id, typed, name] : kept) {
        EXPECT_EQ(commands.applyProperties(id, typed, "memo " + name), Close);
        EXPECT_EQ(cat(id).name(), name);
        EXPECT_EQ(cat(id).memo(), "memo " + name);
    }
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(CategoryCommandsTest, CountsAndDeletesDeepTreesWithoutRecursion) {
    for (CategoryId id : {3, 7, 9, 9, 5}) {
        db.addItem(id, test::link("t", "http://a/" + std::to_string(id)));
    }
    CategoryId parent = 9;
    for (int i = 0; i < 20000; ++i) {
        parent = db.addCategory(parent, {"d", {}, {}, {}})->id();
    }
    const SubtreeCounts bbs = CategoryCommands::countSubtree(cat(3));
    EXPECT_EQ(bbs.subCategories, 20003u);
    EXPECT_EQ(bbs.totalItems, 4u);

    host.current = parent;
    prompter.answers = {Ok};
    commands.deleteCategory(3, MainMenu);
    EXPECT_EQ(host.current, 1);
    EXPECT_EQ(db.categoryCount(), 6u);
}

}  // namespace
}  // namespace lh::commands

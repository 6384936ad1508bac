#include "commands/CategoryCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::commands {
namespace {

using store::CategoryId;
using store::CategoryRecord;
using Answer = Prompter::Answer;
using Events = std::vector<std::string>;

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

std::vector<std::string> childNames(const CategoryRecord& parent) {
    std::vector<std::string> names;
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
        EXPECT_EQ(commands.create(parent, name, ""), DialogOutcome::Close);
        return cat(parent).lastChild()->id();
    }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    RecordingHost host;
    CategoryCommands commands{db, prompter, host};
};

TEST_F(CategoryCommandsTest, CreateChecksLengthAndExactDuplicates) {
    test::DatabaseMirror mirror(db);
    const std::string longest(156, 'n');

    EXPECT_EQ(commands.create(3, "", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(commands.create(3, longest + "x", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(commands.create(3, "Life", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{" Category name length is between 1--156 ",
                                        " Category name length is between 1--156 ",
                                        "Category name \"Life\" is duplicate."}));
    EXPECT_TRUE(mirror.events.empty());

    // Another letter case is another name; untrimmed names are taken as typed.
    EXPECT_EQ(commands.create(3, "LIFE", std::string(3100, 'm')), DialogOutcome::Close);
    EXPECT_EQ(commands.create(3, longest, ""), DialogOutcome::Close);
    EXPECT_EQ(commands.create(3, " Life ", ""), DialogOutcome::Close);
    EXPECT_EQ(childNames(cat(3)),
              (std::vector<std::string>{"Life", "Technology", "Joke", "LIFE", longest, " Life "}));
    EXPECT_EQ(db.findCategory(18)->memo().size(), 3000u);
    // No parent chosen, or one that is gone: the dialog closes and nothing is made.
    EXPECT_EQ(commands.create(std::nullopt, "Orphan", ""), DialogOutcome::Close);
    EXPECT_EQ(commands.create(999, "Orphan", ""), DialogOutcome::Close);
    EXPECT_EQ(mirror.events, (Events{"cats+ 3 3-3", "cats+ 3 4-4", "cats+ 3 5-5"}));
    EXPECT_EQ(prompter.shown.size(), 3u);
}

TEST_F(CategoryCommandsTest, MoveRefusesDescendantsDuplicatesAndFixedCategories) {
    test::DatabaseMirror mirror(db);
    // Onto itself: closes silently.
    EXPECT_EQ(commands.move(3, 3), DialogOutcome::Close);
    EXPECT_EQ(commands.move(3, std::nullopt), DialogOutcome::Close);
    EXPECT_TRUE(prompter.shown.empty());
    // Into its own descendant: refused, nothing moves.
    EXPECT_EQ(commands.move(3, 7), DialogOutcome::Close);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Can't move Category!"}));
    // A sibling of that name under the target keeps the dialog open.
    EXPECT_EQ(commands.move(4, 3), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts().back(), "Category name \"Joke\" is duplicate.");
    // "WebFavorite" and "Recycle" never move.
    EXPECT_EQ(commands.move(2, 3), DialogOutcome::Close);
    EXPECT_EQ(commands.move(1, 3), DialogOutcome::Close);
    EXPECT_TRUE(mirror.events.empty());

    // A real move: last child of the target, the depths below it follow.
    EXPECT_EQ(commands.move(3, 6), DialogOutcome::Close);
    EXPECT_EQ(cat(7).depth(), 4);
    EXPECT_EQ(mirror.events, (Events{"cats> 1 0-0 to 6@0"}));
}

TEST_F(CategoryCommandsTest, DeleteAsksAndFollowsEachMenusIdRules) {
    // The main menu's Delete takes ids from 3 on, the tree's from 5 on (what goes with them is
    // DatabaseTest's); Cancel ends the command.
    const std::vector<std::tuple<CategoryId, DeleteOrigin, Answer, bool>> cases = {
        {5, DeleteOrigin::MainMenu, Answer::Cancel, false},
        {4, DeleteOrigin::ContextMenu, Answer::Ok, false},
        {2, DeleteOrigin::MainMenu, Answer::Ok, false},
        {3, DeleteOrigin::MainMenu, Answer::Ok, true},
        {5, DeleteOrigin::ContextMenu, Answer::Ok, true}};
    for (const auto& [id, origin, answer, goes] : cases) {
        prompter.answers = {answer};
        commands.deleteCategory(id, origin);
        EXPECT_EQ(db.findCategory(id) == nullptr, goes) << id;
    }
    EXPECT_EQ(prompter.shown.size(), 5u);
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Question);
    commands.deleteCategory(999, DeleteOrigin::ContextMenu);  // gone: asks nothing
}

TEST_F(CategoryCommandsTest, DeletingTheCurrentCategoryOrAnAncestorMovesTheCurrentFirst) {
    // The current category itself: the first category below the root becomes current.
    host.current = 8;
    prompter.answers = {Answer::Ok, Answer::Ok, Answer::Ok};
    commands.deleteCategory(8, DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.madeCurrent, std::vector<CategoryId>{1});
    // An ancestor of the current one: the deleted category's parent becomes current.
    const CategoryId mirror = createIn(5, "Mirror");
    host.current = createIn(mirror, "Inner");
    commands.deleteCategory(mirror, DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.current, 5);
    // A current category elsewhere stays.
    host.current = 4;
    host.madeCurrent.clear();
    commands.deleteCategory(6, DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.current, 4);
    EXPECT_TRUE(host.madeCurrent.empty());
}

TEST_F(CategoryCommandsTest, OnlyTheTreesDeleteOfAFileCategoryAsksAboutFiles) {
    test::TempDir dir;
    db.setCategoryClass(2, store::kClassFile);
    const auto addFileCategory = [&](const std::string& name) {
        const CategoryId category = createIn(2, name);
        test::writeBytes(dir.file(name), "x");
        store::ItemFields file;
        file.location = dir.path();
        file.title = name;
        db.addItem(category, file);
        return category;
    };
    const CategoryId keep = addFileCategory("keep");
    const CategoryId drop = addFileCategory("drop");
    const CategoryId menu = addFileCategory("menu");
    prompter.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::Yes, Answer::Ok};
    commands.deleteCategory(keep, DeleteOrigin::ContextMenu);
    commands.deleteCategory(drop, DeleteOrigin::ContextMenu);
    commands.deleteCategory(menu, DeleteOrigin::MainMenu);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{
                  "Delete Category and it's sub-categories ? ", "Also delete file(s)?",
                  "Delete Category and it's sub-categories ? ", "Also delete file(s)?",
                  "Delete Category and it's sub-categories ? "}));
    EXPECT_EQ(prompter.shown[1].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"keep", "menu"}));
    EXPECT_EQ(cat(2).firstChild(), nullptr);
}

TEST_F(CategoryCommandsTest, PropertiesStoreTheCommentEvenWhenTheNameIsRefused) {
    const CategoryRecord& joke = cat(4);
    test::DatabaseMirror mirror(db);
    // Blank name: nothing happens, silently.
    EXPECT_EQ(commands.applyProperties(4, "   ", "first"), DialogOutcome::KeepOpen);
    EXPECT_EQ(joke.memo(), "");
    // A sibling's name: refused, but the comment is kept.
    EXPECT_EQ(commands.applyProperties(4, " BBS ", "second"), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Duplicate name"}));
    EXPECT_EQ(joke.name(), "Joke");
    EXPECT_EQ(joke.memo(), "second");
    // Its own name again only changes the comment.
    EXPECT_EQ(commands.applyProperties(4, "Joke", "third"), DialogOutcome::Close);
    EXPECT_EQ(mirror.events, (Events{"cat~ 4 2", "cat~ 4 2"}));
    // A new name is trimmed and cut to 156 bytes, the comment to 3000.
    const std::string longName(200, 'j');
    EXPECT_EQ(commands.applyProperties(4, "  " + longName + "\t", std::string(3500, 'c')),
              DialogOutcome::Close);
    EXPECT_EQ(joke.name(), std::string(156, 'j'));
    EXPECT_EQ(joke.memo().size(), 3000u);
    EXPECT_EQ(mirror.events.back(), "cat~ 4 1");
    // A name is cut on a character boundary.
    std::string wide;
    for (int i = 0; i < 60; ++i) {
        wide += "\xC3\xA9";  // e acute, two bytes
    }
    commands.applyProperties(4, "x" + wide, "");
    EXPECT_EQ(joke.name().size(), 121u);

    // The fixed categories, even with a blank name, and the other classes keep their names.
    db.setCategoryClass(2, store::kClassRemind);
    const CategoryId alarms = createIn(2, "Alarms");
    const std::vector<std::tuple<CategoryId, std::string, std::string>> kept = {
        {store::kRootId, "Other", "Linkhaven"},
        {2, "Bin", "Recycle"},
        {1, "", "Webfavorite"},
        {alarms, "Bells", "Alarms"}};
    for (const auto& [id, typed, name] : kept) {
        EXPECT_EQ(commands.applyProperties(id, typed, "memo " + name), DialogOutcome::Close);
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
    const SubtreeCounts root = CategoryCommands::countSubtree(*db.root());
    EXPECT_EQ(root.subCategories, 20009u);
    EXPECT_EQ(root.totalItems, 5u);
    EXPECT_EQ(CategoryCommands::formatCount(42), "        42");

    host.current = parent;
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(3, DeleteOrigin::MainMenu);
    EXPECT_EQ(host.current, 1);
    EXPECT_EQ(db.categoryCount(), 6u);
}

}  // namespace
}  // namespace lh::commands

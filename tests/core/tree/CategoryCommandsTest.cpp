#include "tree/CategoryCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/Kinds.h"
#include "store/TreeWalk.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::tree {
namespace {

using store::CategoryRecord;
using Answer = ui::Prompter::Answer;

// Records what the tree would be told and keeps the current category.
struct RecordingHost : CategoryTreeHost {
    CategoryRecord* current = nullptr;
    std::vector<std::string> events;

    CategoryRecord* currentCategory() const override { return current; }
    void makeCurrent(CategoryRecord& c) override {
        current = &c;
        events.push_back("current " + c.name);
    }
    void categoryAdded(CategoryRecord& c) override { events.push_back("added " + c.name); }
    void categoryMoved(CategoryRecord& c) override { events.push_back("moved " + c.name); }
    void categoryRemoving(CategoryRecord& c) override { events.push_back("removing " + c.name); }
    void categoryRenamed(CategoryRecord& c) override { events.push_back("renamed " + c.name); }
    void favouritesChanged() override { events.push_back("favourites"); }
};

std::vector<std::string> childNames(const CategoryRecord& parent) {
    std::vector<std::string> names;
    for (const CategoryRecord* c = parent.firstChild; c != nullptr; c = c->nextSibling) {
        names.push_back(c->name);
    }
    return names;
}

class CategoryCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    CategoryRecord& cat(std::uint16_t id) { return *db.findCategory(id); }
    CategoryRecord* byName(const std::string& name) {
        CategoryRecord* found = nullptr;
        store::walkSearchOrder(db.root(), [&](CategoryRecord& c) {
            if (c.name == name) {
                found = &c;
            }
            return found != nullptr;
        });
        return found;
    }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    RecordingHost host;
    CategoryCommands commands{db, prompter, host};
};

TEST_F(CategoryCommandsTest, CreateChecksLengthAndExactDuplicates) {
    CategoryRecord& bbs = cat(3);
    const std::string longest(156, 'n');

    EXPECT_EQ(commands.create(&bbs, "", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(commands.create(&bbs, longest + "x", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(commands.create(&bbs, "Life", "memo"), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{" Category name length is between 1--156 ",
                                        " Category name length is between 1--156 ",
                                        "Category name \"Life\" is duplicate."}));
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(db.nextCategoryId(), 18u);

    // Another letter case is another name; untrimmed names are taken as typed.
    EXPECT_EQ(commands.create(&bbs, "LIFE", std::string(3100, 'm')), DialogOutcome::Close);
    EXPECT_EQ(commands.create(&bbs, longest, ""), DialogOutcome::Close);
    EXPECT_EQ(commands.create(&bbs, " Life ", ""), DialogOutcome::Close);
    EXPECT_EQ(childNames(bbs),
              (std::vector<std::string>{"Life", "Technology", "Joke", "LIFE", longest, " Life "}));
    const CategoryRecord& created = *db.findCategory(18);
    EXPECT_EQ(created.name, "LIFE");
    EXPECT_EQ(created.memo.size(), 3000u);
    EXPECT_EQ(created.depth, 3);
    EXPECT_EQ(created.flags, store::kClassUrl);
    EXPECT_EQ(created.folderPath, "");
    EXPECT_EQ(db.nextCategoryId(), 21u);
    EXPECT_EQ(host.events, (std::vector<std::string>{"added LIFE", "favourites", "added " + longest,
                                                     "favourites", "added  Life ", "favourites"}));
    EXPECT_EQ(prompter.shown.size(), 3u);

    // No parent chosen: the dialog closes and nothing is made.
    EXPECT_EQ(commands.create(nullptr, "Orphan", ""), DialogOutcome::Close);
    EXPECT_EQ(db.nextCategoryId(), 21u);
}

TEST_F(CategoryCommandsTest, CreateInOtherClassesTakesTheParentsClassAndLeavesTheMenu) {
    cat(2).flags = store::kClassFile;
    ASSERT_EQ(commands.create(&cat(2), "Papers", "m"), DialogOutcome::Close);
    EXPECT_EQ(byName("Papers")->flags, store::kClassFile);
    EXPECT_EQ(host.events, (std::vector<std::string>{"added Papers"}));
}

TEST_F(CategoryCommandsTest, MoveRefusesDescendantsDuplicatesAndFixedCategories) {
    CategoryRecord& bbs = cat(3);
    CategoryRecord& life = cat(7);
    const auto before = childNames(cat(1));

    // Onto itself: closes silently.
    EXPECT_EQ(commands.move(bbs, &bbs), DialogOutcome::Close);
    EXPECT_EQ(commands.move(bbs, nullptr), DialogOutcome::Close);
    EXPECT_TRUE(prompter.shown.empty());
    // Into its own descendant: refused, nothing moves.
    EXPECT_EQ(commands.move(bbs, &life), DialogOutcome::Close);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Can't move Category!"}));
    // A sibling of that name under the target keeps the dialog open.
    EXPECT_EQ(commands.move(cat(4), &bbs), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts().back(), "Category name \"Joke\" is duplicate.");
    // "WebFavorite" and "Recycle" never move.
    EXPECT_EQ(commands.move(cat(2), &bbs), DialogOutcome::Close);
    EXPECT_EQ(commands.move(cat(1), &bbs), DialogOutcome::Close);
    EXPECT_EQ(childNames(cat(1)), before);
    EXPECT_EQ(life.parent, &bbs);
    EXPECT_TRUE(host.events.empty());

    // A real move: last child of the target, depths follow.
    EXPECT_EQ(commands.move(bbs, &cat(6)), DialogOutcome::Close);
    EXPECT_EQ(childNames(cat(1)),
              (std::vector<std::string>{"Joke", "Download Site", "Technology"}));
    EXPECT_EQ(childNames(cat(6)), (std::vector<std::string>{"BBS"}));
    EXPECT_EQ(bbs.depth, 3);
    EXPECT_EQ(life.depth, 4);
    EXPECT_EQ(host.events, (std::vector<std::string>{"moved BBS", "favourites"}));
}

TEST_F(CategoryCommandsTest, DeleteAsksAndFollowsEachMenusIdRules) {
    // Cancel ends the command.
    prompter.answers = {Answer::Cancel};
    commands.deleteCategory(&cat(5), DeleteOrigin::MainMenu);
    EXPECT_NE(db.findCategory(5), nullptr);

    // The tree's Delete asks, then leaves ids 3 and 4 alone.
    prompter.answers = {Answer::Ok, Answer::Ok};
    commands.deleteCategory(&cat(3), DeleteOrigin::ContextMenu);
    commands.deleteCategory(&cat(4), DeleteOrigin::ContextMenu);
    EXPECT_NE(db.findCategory(3), nullptr);
    EXPECT_NE(db.findCategory(4), nullptr);
    EXPECT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[1].text, "Delete Category and it's sub-categories ? ");
    EXPECT_EQ(prompter.shown[1].buttons, ui::Prompter::Buttons::OkCancel);
    EXPECT_EQ(prompter.shown[1].icon, ui::Prompter::Icon::Question);

    // Neither menu deletes the fixed categories.
    prompter.answers = {Answer::Ok, Answer::Ok, Answer::Ok};
    commands.deleteCategory(&cat(2), DeleteOrigin::MainMenu);
    commands.deleteCategory(&cat(1), DeleteOrigin::MainMenu);
    commands.deleteCategory(db.root(), DeleteOrigin::MainMenu);
    EXPECT_EQ(db.categoryIndex().size(), 10u);
    EXPECT_TRUE(host.events.empty());

    // The main menu's Delete takes id 3 with everything below it.
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(3), DeleteOrigin::MainMenu);
    EXPECT_EQ(db.categoryIndex().size(), 6u);
    EXPECT_EQ(db.findCategory(8), nullptr);
    EXPECT_EQ(childNames(cat(1)),
              (std::vector<std::string>{"Joke", "Download Site", "Technology"}));
    EXPECT_EQ(host.events, (std::vector<std::string>{"removing BBS", "favourites"}));

    // The tree's Delete removes ids from 5 on; a null category asks nothing.
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(6), DeleteOrigin::ContextMenu);
    commands.deleteCategory(nullptr, DeleteOrigin::ContextMenu);
    EXPECT_EQ(childNames(cat(1)), (std::vector<std::string>{"Joke", "Download Site"}));
    EXPECT_EQ(prompter.shown.size(), 8u);
}

TEST_F(CategoryCommandsTest, DeletingTheCurrentCategoryOrAnAncestorMovesTheCurrentFirst) {
    // The current category itself: the first category below the root becomes current.
    host.current = &cat(8);
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(8), DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.current, &cat(1));
    EXPECT_EQ(host.events, (std::vector<std::string>{"current Webfavorite", "removing Technology",
                                                     "favourites"}));

    // An ancestor of the current one: the deleted category's parent becomes current.
    ASSERT_EQ(commands.create(&cat(7), "Deep", ""), DialogOutcome::Close);
    host.current = byName("Deep");
    host.events.clear();
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(3), DeleteOrigin::MainMenu);
    EXPECT_EQ(host.current, &cat(1));
    EXPECT_EQ(host.events.front(), "current Webfavorite");

    ASSERT_EQ(commands.create(&cat(5), "Mirror", ""), DialogOutcome::Close);
    ASSERT_EQ(commands.create(byName("Mirror"), "Inner", ""), DialogOutcome::Close);
    host.current = byName("Inner");
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(byName("Mirror"), DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.current, &cat(5));

    // A current category elsewhere stays.
    host.current = &cat(4);
    host.events.clear();
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(6), DeleteOrigin::ContextMenu);
    EXPECT_EQ(host.current, &cat(4));
    EXPECT_EQ(host.events.front(), "removing Technology");
}

TEST_F(CategoryCommandsTest, OnlyTheTreesDeleteOfAFileCategoryAsksAboutFiles) {
    test::TempDir dir;
    store::Database files{clock};
    files.createDefault();
    CategoryCommands fileCommands{files, prompter, host};
    files.findCategory(2)->flags = store::kClassFile;
    const auto addFileCategory = [&](const std::string& name, const std::string& fileName) {
        EXPECT_EQ(fileCommands.create(files.findCategory(2), name, ""), DialogOutcome::Close);
        CategoryRecord* category = files.findCategory(2)->lastChild;
        test::writeBytes(dir.file(fileName), "x");
        auto item = store::ItemRecord::create("", dir.path(), fileName, "");
        item->categoryId = category->id;
        files.addItem(std::move(item));
        return category;
    };
    CategoryRecord* keep = addFileCategory("Keep", "keep.txt");
    CategoryRecord* drop = addFileCategory("Drop", "drop.txt");
    CategoryRecord* menu = addFileCategory("Menu", "menu.txt");
    ASSERT_EQ(keep->id, 18);

    prompter.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::Yes, Answer::Ok};
    fileCommands.deleteCategory(keep, DeleteOrigin::ContextMenu);
    fileCommands.deleteCategory(drop, DeleteOrigin::ContextMenu);
    fileCommands.deleteCategory(menu, DeleteOrigin::MainMenu);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{
                  "Delete Category and it's sub-categories ? ", "Also delete file(s)?",
                  "Delete Category and it's sub-categories ? ", "Also delete file(s)?",
                  "Delete Category and it's sub-categories ? "}));
    EXPECT_EQ(prompter.shown[1].buttons, ui::Prompter::Buttons::YesNo);
    EXPECT_TRUE(std::filesystem::exists(dir.file("keep.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("drop.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("menu.txt")));
    EXPECT_FALSE(files.deleteFilesAnswer());
    EXPECT_EQ(files.findCategory(2)->firstChild, nullptr);
}

TEST_F(CategoryCommandsTest, PropertiesStoreTheCommentEvenWhenTheNameIsRefused) {
    CategoryRecord& joke = cat(4);
    // Blank name: nothing happens, silently.
    EXPECT_EQ(commands.applyProperties(joke, "   ", "first"), DialogOutcome::KeepOpen);
    EXPECT_EQ(joke.memo, "");
    // A sibling's name: refused, but the comment is kept.
    EXPECT_EQ(commands.applyProperties(joke, " BBS ", "second"), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Duplicate name"}));
    EXPECT_EQ(joke.name, "Joke");
    EXPECT_EQ(joke.memo, "second");
    // Its own name again only changes the comment.
    EXPECT_EQ(commands.applyProperties(joke, "Joke", "third"), DialogOutcome::Close);
    EXPECT_TRUE(host.events.empty());
    // A new name is trimmed and cut to 156 bytes, the comment to 3000.
    const std::string longName(200, 'j');
    EXPECT_EQ(commands.applyProperties(joke, "  " + longName + "\t", std::string(3500, 'c')),
              DialogOutcome::Close);
    EXPECT_EQ(joke.name, std::string(156, 'j'));
    EXPECT_EQ(joke.memo.size(), 3000u);
    EXPECT_EQ(host.events, (std::vector<std::string>{"renamed " + joke.name, "favourites"}));
    // A name is cut on a character boundary.
    std::string wide;
    for (int i = 0; i < 60; ++i) {
        wide += "\xC3\xA9";  // e acute, two bytes
    }
    commands.applyProperties(joke, "x" + wide, "");
    EXPECT_EQ(joke.name.size(), 121u);
}

TEST_F(CategoryCommandsTest, FixedCategoriesAndOtherClassesKeepTheirNames) {
    // The root has no parent to compare with; its name cannot be edited.
    EXPECT_EQ(commands.applyProperties(*db.root(), "Other", "root memo"), DialogOutcome::Close);
    EXPECT_EQ(db.root()->name, "Linkhaven");
    EXPECT_EQ(db.root()->memo, "root memo");
    EXPECT_EQ(commands.applyProperties(cat(2), "Bin", "recycled"), DialogOutcome::Close);
    EXPECT_EQ(cat(2).name, "Recycle");
    EXPECT_EQ(cat(2).memo, "recycled");
    EXPECT_EQ(commands.applyProperties(cat(1), "", ""), DialogOutcome::Close);
    EXPECT_EQ(cat(1).name, "Webfavorite");

    cat(2).flags = store::kClassRemind;
    ASSERT_EQ(commands.create(&cat(2), "Alarms", ""), DialogOutcome::Close);
    CategoryRecord& alarms = *byName("Alarms");
    EXPECT_EQ(commands.applyProperties(alarms, "Bells", "m"), DialogOutcome::Close);
    EXPECT_EQ(alarms.name, "Alarms");
    EXPECT_EQ(alarms.memo, "m");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CategoryCommandsTest, CountsEveryCategoryAndItemBelow) {
    for (std::uint16_t id : {3, 7, 9, 9, 5}) {
        auto item = store::ItemRecord::create("http://a/" + std::to_string(id), "", "t", "");
        item->categoryId = id;
        db.addItem(std::move(item));
    }
    const SubtreeCounts bbs = CategoryCommands::countSubtree(cat(3));
    EXPECT_EQ(bbs.subCategories, 3u);
    EXPECT_EQ(bbs.totalItems, 4u);
    const SubtreeCounts root = CategoryCommands::countSubtree(*db.root());
    EXPECT_EQ(root.subCategories, 9u);
    EXPECT_EQ(root.totalItems, 5u);
    EXPECT_EQ(CategoryCommands::formatCount(42), "        42");
    EXPECT_EQ(CategoryCommands::formatCount(0), "         0");
}

TEST_F(CategoryCommandsTest, DeepTreesAreWalkedWithoutRecursion) {
    CategoryRecord* parent = &cat(9);
    for (int i = 0; i < 20000; ++i) {
        auto c = std::make_unique<CategoryRecord>();
        c->name = "d";
        parent = db.addCategory(std::move(c), *parent);
        ASSERT_NE(parent, nullptr);
    }
    EXPECT_EQ(CategoryCommands::countSubtree(cat(3)).subCategories, 20003u);
    host.current = parent;
    prompter.answers = {Answer::Ok};
    commands.deleteCategory(&cat(3), DeleteOrigin::MainMenu);
    EXPECT_EQ(host.current, &cat(1));
    EXPECT_EQ(db.categoryIndex().size(), 6u);
}

}  // namespace
}  // namespace lh::tree

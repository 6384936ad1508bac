#include "bookmarks/ImportTarget.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "bookmarks/ImportResult.h"
#include "store/Database.h"
#include "support/BookmarkTrees.h"
#include "support/DatabaseMirror.h"

namespace lh::bookmarks {
namespace {

using Lines = std::vector<std::string>;

// Every import files what it reads through the target: its rules are proved here once.
using ImportTargetTest = test::ImportFixture;

TEST_F(ImportTargetTest, FilesEveryImportByTheSameRules) {
    options.rate = 4;
    db.setCategoryClass(2, store::kClassFile);
    db.addItem(store::kRecycleId, test::link("old", "HTTPS://OLD.EXAMPLE/", store::kKindUrl));
    test::DatabaseMirror mirror(db);
    ImportResult result;
    const std::string address = "https://x/" + std::string(2100, 'a');
    const std::uint16_t joke = test::childNamed(db, 1, "Joke")->id();
    {
        ImportTarget target(db, options, result);
        EXPECT_EQ(target.findOrCreate(" Joke ", 1), joke);
        EXPECT_EQ(db.findCategory(target.findOrCreate("joke", 9999))->parent()->id(), 1);
        // Imported categories are favourites, whatever class the parent has.
        EXPECT_EQ(db.findCategory(target.findOrCreate("x", 2))->flags(), store::kClassUrl);
        target.addLink("  Spaced  ", " https://a.example/ ", joke);
        target.addLink(std::string(699, 't') + "\xC3\xA9", " https://t/", joke);
        target.addLink("Too long", " " + address, joke);
        target.addLink("", "https://no-title/", joke);
        target.addLink("No address", "  ", joke);
        target.addLink("In Recycle", "https://old.example/", joke);
        target.addLink("Just added", "https://A.EXAMPLE/", joke);
        // Addresses no link may keep are skipped whole, never stored cut.
        target.addLink("Fits", address.substr(0, 2000) + "  ", joke);
        target.addLink("Dash", "-https://dash/", joke);
        target.addLink("Broken", "https://broken/\nline", joke);
        target.skipped(SkippedLink::NotQuoted);
        target.skipped(SkippedLink::TooLong);
        // A folder without a name stands for the one it is in; outside any folder is the top.
        target.link("Top", "https://top/");
        target.folder("Outer");
        target.folder("  ");
        target.link("In", "https://in/");
        target.listEnd();
        target.link("Still", "https://still/");
        target.listEnd();
        target.link("After", "https://after/");
        target.folder(std::string(155, 'g') + "\xE2\x82\xAC");
        target.link("Cut", "https://g/");
    }
    EXPECT_EQ(mirror.events, (Lines{"bulk{", "}bulk"}));
    EXPECT_EQ(test::linksUnder(db),
              (Lines{"|Top|https://top/", "|After|https://after/", "Joke|Spaced|https://a.example/",
                     "Joke|" + std::string(699, 't') + "|https://t/",
                     "Joke|Fits|" + address.substr(0, 2000), "Outer|In|https://in/",
                     "Outer|Still|https://still/", std::string(155, 'g') + "|Cut|https://g/"}));
    EXPECT_EQ(test::counts(result), "4 8 2 5 long:2");
    // The items are favourites with the given rate and the time of the import.
    const store::ItemRecord* top = db.findCategory(store::kFavoritesId)->firstItem();
    EXPECT_EQ(top->kind(), store::kKindUrl);
    EXPECT_EQ(top->rate(), 4);
    EXPECT_EQ(top->createTime(), (store::DateTimeStamp{2026, 12, 6, 9, 30, 0, 0}));
    EXPECT_NE(top->menuId(), store::kNoMenuId);
}

}  // namespace
}  // namespace lh::bookmarks

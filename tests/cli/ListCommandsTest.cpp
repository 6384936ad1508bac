#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/CategoryPath.h"
#include "cli/Cli.h"
#include "store/Database.h"
#include "store/RemindKey.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using test::runCli;

TEST(ListCommandsTest, CategoryPathsEscapeSlashesAndBackslashes) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(parseCategoryPath("WebFavorite/a\\/b/c\\\\"), (Names{"WebFavorite", "a/b", "c\\"}));
    EXPECT_EQ(formatCategoryPath({"WebFavorite", "a/b", "c\\"}), "WebFavorite/a\\/b/c\\\\");
    for (const char* bad : {"", "a//b", "a/", "a\\b", "a\\"}) {
        EXPECT_FALSE(parseCategoryPath(bad)) << bad;
    }
}

TEST(ListCommandsTest, ListsInChainOrderWithEachKindsFieldsAndNamesAMissingPart) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    {
        store::Database db;
        db.createDefault();
        // Two siblings share a name: the first in tree order is the one a path names.
        const store::CategoryId slash = db.addCategory(1, {"a/b", "", "", std::nullopt})->id();
        const store::CategoryId twin = db.addCategory(1, {"a/b", "", "", std::nullopt})->id();
        db.addItem(slash, test::link("one", "http://1/"));
        db.addItem(slash, test::fileItem("two.txt", "/home/u"));
        store::ItemFields remind = test::link("three", "");
        remind.flags = store::kKindRemind | store::kScheduleWeekdays | store::weekdayBit(1) |
                       store::weekdayBit(7);
        remind.remindTime = {2026, 1, 2, 7, 5, 0, 0};
        db.addItem(slash, remind);
        db.addItem(twin, test::link("twin", "http://t/"));
        db.addItem(3, test::link("below", "http://b/"));
        ASSERT_TRUE(test::save(db, path));
    }
    test::CliOutcome r = runCli({"list", path, "WebFavorite/a\\/b"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"category\":[\"WebFavorite\",\"a/b\"],\"position\":1,\"kind\":\"url\",\"title\":"
        "\"one\",\"address\":\"http://1/\",\"comment\":\"\",\"rate\":1,\"created\":"
        "\"0000-00-00 00:00:00\"}\n"
        "{\"category\":[\"WebFavorite\",\"a/b\"],\"position\":2,\"kind\":\"file\",\"title\":"
        "\"two.txt\",\"address\":\"\",\"comment\":\"\",\"rate\":1,\"created\":"
        "\"0000-00-00 00:00:00\",\"folder\":\"/home/u\"}\n"
        "{\"category\":[\"WebFavorite\",\"a/b\"],\"position\":3,\"kind\":\"remind\",\"title\":"
        "\"three\",\"address\":\"\",\"comment\":\"\",\"rate\":1,\"created\":"
        "\"0000-00-00 00:00:00\",\"schedule\":\"weekdays\",\"remind\":\"07:05\",\"days\":"
        "[\"mon\",\"sun\"]}\n");

    // The default is WebFavorite's own items; --recursive adds everything below, in tree order.
    EXPECT_EQ(runCli({"list", path}).out, "");
    r = runCli({"list", path, "WebFavorite", "--recursive"});
    std::vector<std::string> titles;
    for (std::size_t at = r.out.find("\"title\":\""); at != std::string::npos;
         at = r.out.find("\"title\":\"", at + 1)) {
        titles.push_back(r.out.substr(at + 9, r.out.find('"', at + 9) - at - 9));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"below", "one", "two.txt", "three", "twin"}));

    r = runCli({"list", path, "WebFavorite/BBS/Nope/More"});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_EQ(r.out,
              "{\"error\":\"no category WebFavorite/BBS/Nope\",\"path\":\"" + path + "\"}\n");
    EXPECT_EQ(runCli({"list", dir.file("missing.lhd")}).code, kExitUnreadable);
}

TEST(ListCommandsTest, OpenStartsTheBrowserWithTheAddressAsItsOwnArgument) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    {
        store::Database db;
        db.createDefault();
        db.addItem(1, test::link("x", "http://x.example/?a=1&b='2'"));
        ASSERT_TRUE(test::save(db, path));
    }
    const std::string seen = dir.file("seen");
    // The "browser" writes its last argument to `seen` ($0), in one step.
    const std::string browser =
        "/bin/sh -c 'printf %s \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"' '" + seen + "'";
    test::CliOutcome r = runCli({"open", path, "WebFavorite:1", "--browser", browser});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    for (int i = 0; i < 1000 && !std::filesystem::exists(seen); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(test::readBytes(seen), "http://x.example/?a=1&b='2'");
    EXPECT_EQ(runCli({"open", path, "WebFavorite:2"}).code, kExitFailed);
}

}  // namespace
}  // namespace lh::cli

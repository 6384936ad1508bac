#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "cli/Cli.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using test::runCli;
using Texts = std::vector<std::string>;

class EditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database db;
        db.createDefault();
        db.addItem(3, test::link("Known", "http://Known.example/"));  // WebFavorite/BBS:1
        db.addItem(store::kRecycleId, test::link("Gone", "http://gone.example/"));
        ASSERT_TRUE(test::save(db, path));
    }
    std::unique_ptr<store::Database> reload() const {
        auto db = std::make_unique<store::Database>();
        EXPECT_EQ(test::load(*db, path), store::LoadOutcome::Loaded);
        return db;
    }
    Texts titles(store::CategoryId id) const { return test::itemTitles(*reload(), id); }
    // Runs a command that must be refused and checks that the file kept every byte.
    std::string refused(std::vector<std::string> args) {
        const std::string before = test::readBytes(path);
        const test::CliOutcome r = runCli(args);
        EXPECT_NE(r.code, kExitOk) << r.out;
        EXPECT_EQ(test::readBytes(path), before) << args[0];
        return r.out;
    }

    test::TempDir dir;
    std::string path = dir.file("a.lhd");
};

TEST_F(EditCommandsTest, AddUrlKeepsTheDialogsRulesAndRefusesWithoutWriting) {
    test::CliOutcome r =
        runCli({"add-url", path, " http://new.example/ ", "--title", "New", "--comment", "c",
                "--rate", "4", "--category", "WebFavorite/Joke"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find(",\"created\"")),
              "{\"category\":[\"WebFavorite\",\"Joke\"],\"position\":1,\"kind\":\"url\",\"title\":"
              "\"New\",\"address\":\"http://new.example/\",\"comment\":\"c\",\"rate\":4");
    EXPECT_EQ(titles(4), Texts{"New"});

    // Known addresses in any case, "Recycle" included.
    EXPECT_EQ(refused({"add-url", path, "HTTP://KNOWN.EXAMPLE/"}),
              "{\"error\":\"Duplicate URL\",\"path\":\"" + path + "\"}\n");
    refused({"add-url", path, "http://GONE.example/"});
    // Addresses a browser could misread, or too long to keep whole.
    EXPECT_NE(refused({"add-url", path, "-new-window"}).find("cannot begin with"),
              std::string::npos);
    refused({"add-url", path, "http://a/\nb"});
    refused({"add-url", path, "http://a/" + std::string(1992, 'x')});
    // Bad arguments: rate, category, a title of blanks.
    refused({"add-url", path, "http://b/", "--rate", "6"});
    refused({"add-url", path, "http://b/", "--rate", "0"});
    EXPECT_NE(refused({"add-url", path, "http://b/", "--category", "WebFavorite/Nope/Deeper"})
                  .find("no category WebFavorite/Nope"),
              std::string::npos);
    refused({"add-url", path, "http://b/", "--title", "  "});
    refused({"add-url", dir.file("missing.lhd"), "http://b/"});
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.lhd")));

    // The longest address kept is 2000 bytes.
    ASSERT_EQ(runCli({"add-url", path, "http://a/" + std::string(1991, 'x')}).code, kExitOk);
    EXPECT_EQ(reload()->findCategory(1)->firstItem()->address().size(), 2000u);
}

TEST_F(EditCommandsTest, AddFileSkipsKnownAndUnreadableFilesAndCountsThem) {
    const std::string a = dir.file("a.txt");
    std::ofstream(a) << "a";
    std::ofstream(dir.file("b.txt")) << "b";
    test::CliOutcome r = runCli({"add-file", path, a, dir.file("b.txt"), a, dir.file("none.txt"),
                                 "--category", "WebFavorite/Joke"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_NE(r.out.find("\"folder\":\"" + dir.path() + "\""), std::string::npos);
    EXPECT_NE(r.out.find("{\"added\":2,\"duplicates\":1,\"unreadable\":1}\n"), std::string::npos);
    EXPECT_EQ(titles(4), (Texts{"a.txt", "b.txt"}));
    r = runCli({"add-file", path, a});
    EXPECT_EQ(r.out, "{\"added\":0,\"duplicates\":1,\"unreadable\":0}\n");
}

TEST_F(EditCommandsTest, EditChangesOnlyWhatIsGivenAndNamesAmbiguousLinks) {
    test::CliOutcome r = runCli({"edit", path, "WebFavorite/BBS:1", "--url", "http://changed/",
                                 "--rate", "5", "--category", "WebFavorite/Joke"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const auto db = reload();
    const store::ItemRecord& item = *db->findCategory(4)->firstItem();
    EXPECT_EQ(item.title(), "Known");
    EXPECT_EQ(item.address(), "http://changed/");
    EXPECT_EQ(item.rate(), 5);
    EXPECT_TRUE(test::itemTitles(*db, 3).empty());

    runCli({"edit", path, "--url", "HTTP://CHANGED/", "--title", "Renamed"});
    EXPECT_EQ(titles(4), Texts{"Renamed"});
    refused({"edit", path, "WebFavorite/Joke:2", "--title", "x"});  // past the last item
    refused({"edit", path, "WebFavorite/Joke:0", "--title", "x"});
    refused({"edit", path, "WebFavorite/Joke:1", "--url", "-x"});
    refused({"edit", path, "--url", "http://nowhere/", "--title", "x"});

    // The same address twice: refused, naming both places.
    ASSERT_EQ(runCli({"add-url", path, "http://twin/"}).code, kExitOk);
    {
        const auto twins = reload();
        twins->addItem(3, test::link("Twin", "http://TWIN/"));
        ASSERT_TRUE(test::save(*twins, path));
    }
    EXPECT_NE(refused({"edit", path, "--url", "http://twin/", "--rate", "2"})
                  .find("WebFavorite:1, WebFavorite/BBS:1"),
              std::string::npos);
}

TEST_F(EditCommandsTest, MoveAndDeleteFollowTheWindowsRules) {
    for (const char* a : {"http://1/", "http://2/", "http://3/"}) {
        ASSERT_EQ(runCli({"add-url", path, a, "--category", "WebFavorite/Joke"}).code, kExitOk);
    }
    ASSERT_EQ(runCli({"move", path, "WebFavorite/Joke:1", "--url", "http://3/", "--to",
                      "WebFavorite/Technology"})
                  .code,
              kExitOk);
    EXPECT_EQ(titles(6), (Texts{"http://3/", "http://1/"}));
    refused({"move", path, "WebFavorite/Joke:1", "--to", "Nowhere"});
    refused({"move", path, "WebFavorite/Joke:1"});

    // Delete sends to the front of "Recycle"; what is already there goes for good.
    test::CliOutcome r = runCli({"delete", path, "WebFavorite/Joke:1"});
    EXPECT_EQ(r.out, "{\"to_recycle\":1,\"deleted\":0}\n");
    EXPECT_EQ(titles(store::kRecycleId), (Texts{"http://2/", "Gone"}));
    r = runCli({"delete", path, "Recycle:2", "WebFavorite/Technology:1"});
    EXPECT_EQ(r.out, "{\"to_recycle\":1,\"deleted\":1}\n");
    EXPECT_EQ(titles(store::kRecycleId), (Texts{"http://3/", "http://2/"}));
    runCli({"delete", path, "--for-good", "WebFavorite/Technology:1"});
    EXPECT_TRUE(titles(6).empty());

    // A file goes from the disk only with --delete-files, which needs --for-good.
    const std::string file = dir.file("f.txt");
    std::ofstream(file) << "f";
    ASSERT_EQ(runCli({"add-file", path, file}).code, kExitOk);
    refused({"delete", path, "WebFavorite:1", "--delete-files"});
    ASSERT_EQ(runCli({"delete", path, "WebFavorite:1", "--for-good", "--delete-files"}).code,
              kExitOk);
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace lh::cli

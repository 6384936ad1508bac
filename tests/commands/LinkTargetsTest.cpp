#include "commands/LinkTargets.h"

#include <gtest/gtest.h>

#include "commands/ItemEditor.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"

namespace lh::commands {
namespace {

class LinkTargetsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    store::ItemId add(store::CategoryId category, const store::ItemFields& fields) {
        return db.addItem(category, fields)->id();
    }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    ItemEditor editor{db, prompter, clock};
};

TEST_F(LinkTargetsTest, LinksOfACategoryAndEverythingBelowItInListOrder) {
    // BBS (3) holds Life (7) and Technology (8); "WebFavorite" (1) holds BBS.
    const auto a = add(3, test::link("a", "http://a/"));
    add(3, test::fileItem("f.txt", "/tmp"));  // not a link
    add(3, test::link("empty", ""));          // nothing to check
    const auto b = add(3, test::link("b", "https://b/"));
    const auto c = add(8, test::link("c", "http://c/"));
    const auto d = add(7, test::link("d", "http://d/"));
    add(4, test::link("elsewhere", "http://e/"));

    EXPECT_EQ(linksOf(db, 3, false),
              (std::vector<LinkTarget>{{a, "http://a/"}, {b, "https://b/"}}));
    EXPECT_EQ(linksOf(db, 3, true),
              (std::vector<LinkTarget>{
                  {a, "http://a/"}, {b, "https://b/"}, {d, "http://d/"}, {c, "http://c/"}}));
    EXPECT_EQ(linksOf(db, 1, true).size(), 5u);
    EXPECT_TRUE(linksOf(db, 999, true).empty());
}

TEST_F(LinkTargetsTest, NewAddressIsAWebAddressTheStoredRuleAcceptsAndKeepsTheRest) {
    for (const char* refused :
         {"javascript:alert(1)", "file:///etc/passwd", "-http://a/", "ftp://a/", "http://a/\nb"}) {
        EXPECT_TRUE(newAddressProblem(refused).has_value()) << refused;
    }
    EXPECT_FALSE(newAddressProblem("HTTPS://example.org/new").has_value());

    store::ItemFields fields = test::link("Title", "http://old/");
    fields.comment = "memo";
    fields.rate = 4;
    const auto id = add(8, fields);
    EXPECT_EQ(useNewAddress(editor, db, prompter, id, "file:///x"), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(kNotWebAddressMessage)});
    EXPECT_EQ(db.findItem(id)->address(), "http://old/");

    EXPECT_EQ(useNewAddress(editor, db, prompter, id, "https://new/"), DialogOutcome::Close);
    const store::ItemRecord* item = db.findItem(id);
    EXPECT_EQ(item->address(), "https://new/");
    EXPECT_EQ(item->title(), "Title");
    EXPECT_EQ(item->comment(), "memo");
    EXPECT_EQ(item->rate(), 4);
    EXPECT_EQ(item->categoryId(), 8);
    EXPECT_TRUE(db.containsAddress(store::kRootId, "https://new/"));
    EXPECT_FALSE(db.containsAddress(store::kRootId, "http://old/"));
    EXPECT_EQ(useNewAddress(editor, db, prompter, 12345, "https://x/"), DialogOutcome::Close);
}

}  // namespace
}  // namespace lh::commands

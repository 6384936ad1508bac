#include "items/Finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Database.h"

namespace lh::items {
namespace {

using store::CategoryId;
using store::ItemId;

// The default tree: WebFavorite (1) holds BBS (3, with Life 7, Technology 8, Joke 9), Joke (4),
// Download Site (5) and Technology (6); Recycle (2) follows WebFavorite.
class FinderTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }
    ItemId add(CategoryId category, std::string title, std::string address = "",
               std::uint32_t kind = store::kKindUrl, std::string comment = "") {
        store::ItemFields fields;
        fields.title = std::move(title);
        fields.address = std::move(address);
        fields.comment = std::move(comment);
        fields.flags = kind;
        return db.addItem(category, fields)->id();
    }
    // Every hit of Find then Find Next, as "category:title".
    std::vector<std::string> hits(std::string_view text, FindType type, unsigned fields) {
        std::vector<std::string> out;
        for (auto hit = finder.find(text, type, fields); hit; hit = finder.findNext(fields)) {
            EXPECT_EQ(db.findItem(hit->item)->categoryId(), hit->category);
            out.push_back(std::to_string(hit->category) + ":" +
                          std::string(db.findItem(hit->item)->title()));
            if (out.size() > 20) {
                break;  // a Find Next that never ends
            }
        }
        EXPECT_EQ(finder.lastHit(), store::kNoItemId);
        return out;
    }

    store::Database db;
    Finder finder{db};
    static constexpr unsigned kAll = kFindTitle | kFindAddress | kFindComment;
};

TEST_F(FinderTest, FindThenFindNextWalkTheTreeInOrderAndEnd) {
    add(3, "Morning NEWS", "http://a");
    add(3, "nothing here", "http://b");
    add(7, "other", "http://news.example");  // below the start: found by address
    add(4, "Joke news");                     // id 4 lies inside WebFavorite: found once, in order
    add(6, "", "", store::kKindUrl, "old news");
    add(2, "news in the bin");  // a later sibling of WebFavorite: only Find Next goes there
    EXPECT_EQ(hits("news", FindType::Url, kAll),
              (std::vector<std::string>{"3:Morning NEWS", "7:other", "4:Joke news",
                                        "6:", "2:news in the bin"}));
    // The chosen fields only, ignoring case for all of Unicode.
    EXPECT_EQ(hits("NEWS", FindType::Url, kFindAddress | kFindComment),
              (std::vector<std::string>{"7:other", "6:"}));
    add(5, "ÄRGER mit \u212Aelvin");  // the Kelvin sign folds to "k"
    EXPECT_EQ(hits("ärger mit kelvin", FindType::Url, kFindTitle),
              (std::vector<std::string>{"5:ÄRGER mit \u212Aelvin"}));
    // An empty text finds nothing and leaves nothing to go on from.
    EXPECT_FALSE(finder.find("news", FindType::Url, kAll) == std::nullopt);
    EXPECT_EQ(finder.find("", FindType::Url, kAll), std::nullopt);
    EXPECT_EQ(finder.findNext(kAll), std::nullopt);
    EXPECT_EQ(hits("no such text", FindType::Url, kAll), std::vector<std::string>{});
}

TEST_F(FinderTest, TheLastCategoryIsSearchedOnceAndShownInItsOwnCategory) {
    // A File search starts at category 2 ("Recycle"); category 4 lies outside it and comes last,
    // looked at by title and comment (an address only for URL items).
    add(2, "report.txt", "", store::kKindFile);
    add(4, "report draft", "", store::kKindFile);
    add(4, "x", "http://report", store::kKindFile);
    add(4, "report url");
    EXPECT_EQ(hits("report", FindType::File, kFindTitle | kFindComment),
              (std::vector<std::string>{"2:report.txt", "4:report draft", "4:report url"}));
    // Inside the walk category 4 is searched like any other; moved out of it, it comes last and
    // only its URL items are looked at by address.
    EXPECT_EQ(hits("http://report", FindType::Url, kAll), (std::vector<std::string>{"4:x"}));
    ASSERT_TRUE(db.moveCategory(4, 2));
    add(4, "y", "http://report");
    EXPECT_EQ(hits("http://report", FindType::Url, kAll), (std::vector<std::string>{"4:y"}));
}

TEST_F(FinderTest, FindNextEndsWhenTheLastHitIsGoneOrTheDatabaseReplaced) {
    const ItemId first = add(3, "match one");
    add(3, "match two");
    ASSERT_TRUE(finder.find("match", FindType::Url, kFindTitle));
    const std::vector<ItemId> gone{first};
    db.deleteItems(gone, false);
    EXPECT_EQ(finder.findNext(kFindTitle), std::nullopt);
    EXPECT_EQ(finder.lastHit(), store::kNoItemId);

    ASSERT_TRUE(finder.find("match", FindType::Url, kFindTitle));
    db.createDefault();
    add(3, "match three");
    EXPECT_EQ(finder.findNext(kFindTitle), std::nullopt);
}

TEST_F(FinderTest, TheSettingsWordHoldsEachTypesFieldsApart) {
    EXPECT_EQ(openingFindType(0x001C), FindType::Url);
    EXPECT_EQ(openingFindType(0x0001), FindType::File);
    EXPECT_EQ(openingFindType(0x0002), FindType::Remind);
    EXPECT_EQ(openingFindType(0x0003), FindType::Remind);
    const std::uint16_t word = 0x0001 | 0x0004 | 0x0010 | 0x0100;
    EXPECT_EQ(findFields(word, FindType::Url), kFindTitle | kFindComment);
    EXPECT_EQ(findFields(word, FindType::File), 0u);
    EXPECT_EQ(findFields(word, FindType::Remind), kFindTitle);
    // File has no address box: its bits change, nobody else's.
    EXPECT_EQ(withFindFields(word, FindType::File, kFindTitle | kFindAddress | kFindComment),
              word | 0x0020 | 0x0080);
    EXPECT_EQ(withFindFields(word, FindType::Url, kFindAddress), 0x0001 | 0x0008 | 0x0100);
}

}  // namespace
}  // namespace lh::items

#include "store/AddressIndex.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <memory>
#include <random>

#include "store/ItemRecord.h"

namespace lh::store {
namespace {

std::size_t countMatches(const AddressIndex& index, std::string_view address) {
    std::size_t n = 0;
    index.anyMatch(address, [&](const ItemRecord&) {
        ++n;
        return false;
    });
    return n;
}

TEST(AddressIndexTest, AgreesWithAPlainModelThroughRandomInsertsAndErases) {
    // Few distinct addresses, so that shared slots, probe chains and backward shifts all occur.
    std::mt19937 random(7);
    std::vector<std::unique_ptr<ItemRecord>> items;
    std::vector<ItemRecord*> filed;
    std::map<std::string, std::size_t> model;
    AddressIndex index;
    for (int step = 0; step < 20000; ++step) {
        if (filed.empty() || random() % 3 != 0) {
            const std::string address = "http://host" + std::to_string(random() % 500) + "/";
            items.push_back(ItemRecord::create(
                random() % 2 ? address : "HTTP://HOST" + address.substr(11), "", "", ""));
            index.insert(*items.back());
            filed.push_back(items.back().get());
            ++model[address];
        } else {
            const std::size_t pick = random() % filed.size();
            ItemRecord* item = filed[pick];
            index.erase(*item);
            std::string lower(item->address());
            std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
            --model[lower];
            filed.erase(filed.begin() + static_cast<std::ptrdiff_t>(pick));
        }
        if (step % 997 == 0) {
            for (const auto& [address, n] : model) {
                ASSERT_EQ(countMatches(index, address), n) << address << " at step " << step;
            }
        }
    }
    EXPECT_EQ(index.size(), filed.size());
    for (ItemRecord* item : filed) {
        index.erase(*item);
    }
    EXPECT_EQ(index.size(), 0u);
    EXPECT_EQ(countMatches(index, "http://host1/"), 0u);
}

TEST(AddressIndexTest, EmptyAddressesAreNotFiled) {
    AddressIndex index;
    auto item = ItemRecord::create("", "/tmp", "file", "");
    index.insert(*item);
    EXPECT_EQ(index.size(), 0u);
    index.erase(*item);
}

TEST(ItemRecordTest, TextsSurviveEveryKindOfChange) {
    auto item = ItemRecord::create("http://a/", "loc", "title", "comment");
    EXPECT_EQ(item->address(), "http://a/");
    EXPECT_EQ(item->comment(), "comment");
    item->setTitle(item->comment());  // from its own block
    EXPECT_EQ(item->title(), "comment");
    EXPECT_EQ(item->location(), "loc");
    item->setComment(std::string(100000, 'x'));
    EXPECT_EQ(item->comment().size(), 100000u);
    EXPECT_EQ(item->address(), "http://a/");
    ItemRecord copy(*item);
    item->setTexts("", "", "", "");
    EXPECT_TRUE(item->title().empty());
    EXPECT_EQ(copy.title(), "comment");
    EXPECT_EQ(copy.menuId, kNoMenuId);
    EXPECT_FALSE(copy.inDatabase());
}

}  // namespace
}  // namespace lh::store

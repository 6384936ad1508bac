#include "store/AddressIndex.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <random>

#include "store/Database.h"
#include "support/DatabaseMirror.h"

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
    Database db;  // where the records come from
    db.createDefault();
    std::vector<const ItemRecord*> filed;
    std::map<std::string, std::size_t> model;
    AddressIndex index;
    for (int step = 0; step < 20000; ++step) {
        if (filed.empty() || random() % 3 != 0) {
            const std::string address = "http://host" + std::to_string(random() % 500) + "/";
            const ItemRecord* item = db.addItem(
                3, test::link("", random() % 2 ? address : "HTTP://HOST" + address.substr(11)));
            index.insert(*item);
            filed.push_back(item);
            ++model[address];
        } else {
            const std::size_t pick = random() % filed.size();
            const ItemRecord* item = filed[pick];
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
    for (const ItemRecord* item : filed) {
        index.erase(*item);
    }
    EXPECT_EQ(index.size(), 0u);
    EXPECT_EQ(countMatches(index, "http://host1/"), 0u);
}

TEST(AddressIndexTest, EmptyAddressesAreNotFiled) {
    Database db;
    db.createDefault();
    const ItemRecord* item = db.addItem(3, test::link("file", ""));
    AddressIndex index;
    index.insert(*item);
    EXPECT_EQ(index.size(), 0u);
    index.erase(*item);
}

}  // namespace
}  // namespace lh::store

#include "store/AddressIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::store {
namespace {

TEST(AddressIndexTest, AgreesWithAPlainModelThroughRandomInsertsAndErases) {
    // Few distinct addresses, so that shared slots, probe chains and backward shifts all occur.
    std::mt19937 random(7);
    Database db;  // where the records come from
    db.createDefault();
    std::vector<std::pair<const ItemRecord*, std::string>> filed;  // with the lower-case address
    std::map<std::string, std::size_t> model;
    AddressIndex index;
    const auto matches = [&](std::string_view address) {
        std::size_t n = 0;
        index.anyMatch(address, [&](const ItemRecord&) { return ++n == 0; });  // counts them all
        return n;
    };
    for (int step = 0; step < 20000; ++step) {
        if (filed.empty() || random() % 3 != 0) {
            const std::string host = std::to_string(random() % 500) + "/";
            const bool upper = random() % 2 != 0;
            const ItemRecord* item =
                db.addItem(3, test::link("", (upper ? "HTTP://HOST" : "http://host") + host));
            index.insert(*item);
            filed.emplace_back(item, "http://host" + host);
            ++model[filed.back().second];
        } else {
            const auto pick = static_cast<std::ptrdiff_t>(random() % filed.size());
            index.erase(*filed[pick].first);
            --model[filed[pick].second];
            filed.erase(filed.begin() + pick);
        }
        if (step % 997 == 0) {
            for (const auto& [address, n] : model) {
                ASSERT_EQ(matches(address), n) << address << " at step " << step;
            }
        }
    }
    EXPECT_EQ(index.size(), filed.size());
    for (const auto& [item, address] : filed) {
        index.erase(*item);
    }
    index.insert(*db.addItem(3, test::link("file", "")));  // an empty address is not filed
    EXPECT_EQ(index.size(), 0u);
    EXPECT_EQ(matches("http://host1/"), 0u);
}

}  // namespace
}  // namespace lh::store

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "store/MenuIndex.h"

namespace lh::store {
namespace {

using Entries = std::vector<std::pair<std::uint32_t, const ItemRecord*>>;

const ItemRecord* itemAt(std::uintptr_t n) {
    return reinterpret_cast<const ItemRecord*>(n * 16);
}

TEST(MenuIndexTest, BehavesAsAnOrderedMapFromSlotToItem) {
    // Random inserts, erases and look-ups against std::map: slots handed out upwards as a load
    // and later additions do, some far below or above the others, repeats included.
    std::mt19937 random(7);
    MenuIndex index;
    std::map<std::uint32_t, const ItemRecord*> model;
    std::uint32_t next = 100;
    for (int step = 0; step < 20'000; ++step) {
        const int roll = static_cast<int>(random() % 100);
        std::uint32_t slot = roll < 50   ? next++
                             : roll < 52 ? static_cast<std::uint32_t>(random() % 120)
                                         : 90 + static_cast<std::uint32_t>(random() % (next - 89));
        if (roll < 60) {
            const bool inserted = model.try_emplace(slot, itemAt(step + 1)).second;
            ASSERT_EQ(index.insert(slot, itemAt(step + 1)), inserted) << step;
        } else if (roll < 95) {
            ASSERT_EQ(index.erase(slot), model.erase(slot) == 1) << step;
        } else {
            const auto found = index.find(slot);
            ASSERT_EQ(found == index.end(), !model.contains(slot)) << step;
            if (found != index.end()) {
                ASSERT_EQ(found->second, model[slot]);
                ASSERT_EQ(found->first, slot);
            }
        }
        ASSERT_EQ(index.size(), model.size()) << step;
        if (step % 1000 == 0 || step > 19'990) {
            ASSERT_EQ(Entries(index.begin(), index.end()), Entries(model.begin(), model.end()));
        }
    }
    index.clear();
    EXPECT_TRUE(index.empty());
    EXPECT_EQ(index.begin(), index.end());
    EXPECT_TRUE(index.insert(5, itemAt(1)));  // a fresh start anywhere
    EXPECT_EQ(Entries(index.begin(), index.end()), (Entries{{5, itemAt(1)}}));
}

}  // namespace
}  // namespace lh::store

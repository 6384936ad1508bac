#include "store/TreeWalk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/Database.h"

namespace lh::store {
namespace {

TEST(TreeWalkTest, FileOrderAndSearchOrderDiffer) {
    Database db;
    db.createDefault();
    std::vector<int> file, search;
    walkFileOrder(db.root(),
                  [&](const CategoryRecord& c, const CategoryRecord* anchor, std::uint8_t rel) {
                      file.push_back(c.id());
                      if (c.id() == 2) {
                          EXPECT_EQ(anchor->id(), 1);
                          EXPECT_EQ(rel, kRelationNextSibling);
                      }
                      if (c.id() == 7) {
                          EXPECT_EQ(anchor->id(), 3);
                          EXPECT_EQ(rel, kRelationFirstChild);
                      }
                  });
    walkSearchOrder(db.findCategory(1), [&](const CategoryRecord& c) {
        search.push_back(c.id());
        return false;
    });
    EXPECT_EQ(file, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(search, (std::vector<int>{1, 3, 7, 8, 9, 4, 5, 6, 2}));
}

}  // namespace
}  // namespace lh::store

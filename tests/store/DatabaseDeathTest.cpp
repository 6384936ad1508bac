#include "store/Database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/Sanitizers.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

using test::link;

#ifdef LINKHAVEN_ASAN
TEST(DatabaseDeathTest, ADeletedLoadedRecordCannotBeUsedUnnoticed) {
    test::TempDir dir;
    Database writer;
    writer.createDefault();
    writer.addItem(3, link("gone", "http://gone/"));
    platform::IoError error;
    ASSERT_TRUE(writer.save(dir.file("a.lhd"), error));
    EXPECT_DEATH(
        {
            Database db;
            (void)db.load(dir.file("a.lhd"), error);
            const ItemRecord* item = db.findCategory(3)->firstItem();
            db.deleteItems(std::vector<ItemId>{item->id()}, false);
            volatile std::uint32_t flags = item->flags();  // use after delete
            (void)flags;
        },
        "use-after-poison");
}
#endif

}  // namespace
}  // namespace lh::store

#include "store/ItemRecord.h"

#include <gtest/gtest.h>

#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/TempDir.h"

namespace lh::store {
namespace {

// The four texts share one block; each change of one of them builds the block anew from the old
// one. Records read from a file keep their block inside the loader's arena.
TEST(ItemRecordTest, TextsSurviveEveryKindOfChange) {
    test::TempDir dir;
    {
        Database writer;
        writer.createDefault();
        ItemFields fields;
        fields.address = "http://a/";
        fields.location = "loc";
        fields.title = "title";
        fields.comment = "comment";
        writer.addItem(3, fields);
        ASSERT_TRUE(test::save(writer, dir.file("a.lhd")));
    }
    Database db;
    ASSERT_EQ(test::load(db, dir.file("a.lhd")), LoadOutcome::Loaded);
    const ItemRecord& item = *db.findCategory(3)->firstItem();
    EXPECT_EQ(item.address(), "http://a/");
    EXPECT_EQ(item.comment(), "comment");
    ItemEdit edit;
    edit.title = std::string(item.comment());
    db.editItem(item.id(), edit);
    EXPECT_EQ(item.title(), "comment");
    EXPECT_EQ(item.location(), "loc");
    edit = {};
    edit.comment = std::string(100000, 'x');
    db.editItem(item.id(), edit);
    EXPECT_EQ(item.comment().size(), 100000u);
    EXPECT_EQ(item.address(), "http://a/");
    edit = {};
    edit.address = edit.location = edit.title = edit.comment = "";
    db.editItem(item.id(), edit);
    EXPECT_TRUE(item.title().empty() && item.address().empty() && item.comment().empty());
}

}  // namespace
}  // namespace lh::store

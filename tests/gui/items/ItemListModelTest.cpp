#include "gui/items/ItemListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

#include "store/Database.h"
#include "store/TreeWalk.h"
#include "support/DatabaseMirror.h"

namespace lh::gui {
namespace {

using Ids = std::vector<store::ItemId>;
using items::FieldCode;
constexpr store::CategoryId kShown = 3;
constexpr store::CategoryId kOther = 4;

class ItemListModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        for (int i = 0; i < 6; ++i) {
            shown.push_back(add(kShown, "s" + std::to_string(i)));
            other.push_back(add(kOther, "o" + std::to_string(i)));
        }
        model.setColumns({{FieldCode::RowImage, 40},
                          {FieldCode::Rate, 49},
                          {FieldCode::Title, 110},
                          {FieldCode::CreateTime, 90}});
        model.showCategory(kShown);
    }

    store::ItemId add(store::CategoryId category, const std::string& title) {
        return db.addItem(category, test::link(title, "http://" + title))->id();
    }
    Ids chain(store::CategoryId id) const {
        Ids ids;
        store::walkItems(*db.findCategory(id), [&](const store::ItemRecord& item) {
            ids.push_back(item.id());
            return false;
        });
        return ids;
    }
    Ids rows() const {
        Ids ids;
        for (int row = 0; row < model.rowCount(); ++row) {
            ids.push_back(model.recordAt(row)->id());
        }
        return ids;
    }
    // The model's rows must be the chain after every change.
    void expectChain() { EXPECT_EQ(rows(), chain(kShown)); }

    store::Database db;
    ItemListModel model{db};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    Ids shown, other;
};

TEST_F(ItemListModelTest, ShowsTheChainWithCellTextsOnDemand) {
    expectChain();
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
    EXPECT_EQ(model.index(2, 2).data().toString(), "s2");
    EXPECT_EQ(model.index(2, 1).data(ItemListModel::kStarsRole).toInt(), 1);
    EXPECT_EQ(model.rowOf(shown[4]), 4);
    EXPECT_EQ(model.rowOf(other[0]), -1);

    model.showCategory(std::nullopt);
    EXPECT_EQ(model.rowCount(), 0);
    model.showCategory(999);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.category());
}

TEST_F(ItemListModelTest, FollowsInsertsMovesRemovalsAndEdits) {
    QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    shown.push_back(add(kShown, "s6"));
    add(kOther, "elsewhere");
    expectChain();

    const Ids up = {shown[3]};
    db.moveItems(up, kShown, shown[2]);  // Move Up
    expectChain();
    const Ids down = {shown[0], shown[1]};
    db.moveItems(down, kShown, shown[5]);
    expectChain();
    EXPECT_EQ(moved.count(), 2);

    const Ids in = {other[1], other[3], other[4]};
    db.moveItems(in, kShown, shown[4]);  // two runs in from another chain
    expectChain();
    const Ids out = {shown[6], shown[2], other[3]};
    db.moveItems(out, kOther);
    expectChain();

    const Ids doomed = {shown[0], shown[1], shown[5], other[0]};
    db.deleteItems(doomed, false);
    expectChain();

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    store::ItemEdit rename;
    rename.title = "renamed";
    db.editItem(shown[3], rename);
    db.editItem(other[2], rename);
    ASSERT_EQ(changed.count(), 1);
    const int row = model.rowOf(shown[3]);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), row);
    EXPECT_EQ(model.index(row, 2).data().toString(), "renamed");
    EXPECT_EQ(reset.count(), 0) << "single changes need no reset";
}

TEST_F(ItemListModelTest, ShowsAfreshAfterBulkWorkAndNothingOnceTheCategoryGoes) {
    {
        const store::Database::BulkChange bulk(db);
        add(kShown, "imported");
        EXPECT_EQ(model.rowCount(), 0) << "no rows while records may go";
    }
    expectChain();

    // A load empties the database: the old id means nothing now, unless chosen anew meanwhile.
    {
        const store::Database::BulkChange bulk(db);
        db.createDefault();
    }
    EXPECT_FALSE(model.category());
    EXPECT_EQ(model.rowCount(), 0);
    add(kShown, "new");
    {
        const store::Database::BulkChange bulk(db);
        db.createDefault();
        add(kShown, "fresh");
        model.showCategory(kShown);
    }
    expectChain();

    // Removing a category above the shown one empties the list; other removals do not.
    const store::CategoryId below = db.addCategory(kShown, {"Sub", "", "", {}})->id();
    add(below, "deep");
    model.showCategory(below);
    db.removeCategory(kOther, false);
    EXPECT_EQ(model.rowCount(), 1);
    db.removeCategory(kShown, false);
    EXPECT_FALSE(model.category());
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace lh::gui

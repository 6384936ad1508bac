#include "gui/items/ItemListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/items/ItemListModel.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::gui {
namespace {

constexpr store::CategoryId kPlain = 3;
constexpr store::CategoryId kQuiet = 4;

class ItemListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        for (store::CategoryId id : {kPlain, kQuiet}) {
            for (int i = 0; i < 3; ++i) {
                db.addItem(id, test::link("t" + std::to_string(i), "http://x"));
            }
        }
        model.setColumns({{items::FieldCode::Title, 100}, {items::FieldCode::Address, 100}});
        view.setItemModel(&model);
        view.resize(300, 200);
        view.show();
    }

    void show(store::CategoryId id) {
        model.showCategory(id);
        view.selectionModel()->select(
            model.index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QPoint rowCentre(int row) { return view.visualRect(model.index(row, 0)).center(); }
    void rightClick() {
        QContextMenuEvent event(QContextMenuEvent::Mouse, rowCentre(1),
                                view.viewport()->mapToGlobal(rowCentre(1)));
        QApplication::sendEvent(view.viewport(), &event);
    }

    store::Database db;
    ItemListModel model{db};
    ItemListView view;
    QSignalSpy deletes{&view, &ItemListView::deleteRequested};
    QSignalSpy activations{&view, &ItemListView::itemActivated};
    QSignalSpy menus{&view, &ItemListView::contextMenuRequested};
};

TEST_F(ItemListViewTest, KeysSelectAllAndAskForDeletion) {
    show(kPlain);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedRowNumbers(), (std::vector<int>{0, 1, 2}));
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(deletes.count(), 2);
    EXPECT_FALSE(deletes[0][0].toBool());
    EXPECT_TRUE(deletes[1][0].toBool());
}

TEST_F(ItemListViewTest, ClicksReachThePaneOutsideTheQuietCategoriesOnly) {
    show(kQuiet);
    rightClick();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(menus.count(), 0);
    EXPECT_EQ(activations.count(), 0);

    show(kPlain);
    rightClick();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, rowCentre(1));
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus[0][0].toPoint(), view.viewport()->mapToGlobal(rowCentre(1)));
    ASSERT_EQ(activations.count(), 1);
    EXPECT_EQ(activations[0][0].value<store::ItemId>(), model.recordAt(1)->id());

    view.clearSelection();
    rightClick();
    EXPECT_EQ(menus.count(), 1) << "nothing selected";
}

}  // namespace
}  // namespace lh::gui

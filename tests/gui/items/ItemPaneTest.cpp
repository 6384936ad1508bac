#include "gui/items/ItemPane.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include "gui/items/DetailPane.h"
#include "gui/items/ItemListView.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::gui {
namespace {

using Ids = std::vector<store::ItemId>;
constexpr store::CategoryId kUrls = 3;

class ItemPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        for (int i = 0; i < 4; ++i) {
            ids.push_back(db.addItem(kUrls, test::link("t" + std::to_string(i), "http://x"))->id());
        }
        ids.push_back(db.addItem(kUrls, test::fileItem("a.pdf", "", 1536))->id());
        parent.resize(600, 400);
        parent.show();
        pane.showCategory(kUrls);
    }

    QStringList column(int c) const {
        QStringList texts;
        for (int i = 0; i < detail()->topLevelItemCount(); ++i) {
            texts << detail()->topLevelItem(i)->text(c);
        }
        return texts;
    }
    DetailPane* detail() const { return pane.detailPane(); }

    store::Database db;
    settings::AppSettings settings;
    QWidget parent;
    ItemPane pane{db, settings, &parent};
    Ids ids;
};

TEST_F(ItemPaneTest, SelectsByIdAndInverts) {
    QSignalSpy changes(&pane, &ItemPane::selectionChanged);
    pane.select(Ids{ids[3], ids[0], 999}, ids[3]);
    EXPECT_EQ(pane.selectedItems(), (Ids{ids[0], ids[3]}));
    EXPECT_GE(changes.count(), 1);
    pane.invertSelection();
    EXPECT_EQ(pane.selectedRows(), (std::vector<int>{1, 2, 4}));
    pane.selectAll();
    EXPECT_EQ(pane.selectedRows().size(), 5u);
    pane.showItem(ids[2]);
    EXPECT_EQ(pane.selectedItems(), Ids{ids[2]});
    EXPECT_EQ(pane.itemAt(2), ids[2]);
}

// The rows themselves are ItemTextsTest's; these check which item they show and when.
TEST_F(ItemPaneTest, DetailShowsTheSelectedItemByItsOwnKindAndClearsWhenItGoes) {
    EXPECT_EQ(column(0)[1], "Title");
    pane.select(Ids{ids[4]});  // a File item in a URL category
    EXPECT_EQ(column(0)[1], "File Name");
    settings.GeneralCheck.setSizeInBytes(true);
    store::ItemEdit note;
    note.comment = "note";
    db.editItem(ids[4], note);
    EXPECT_EQ(column(1)[2], "1536");  // read afresh, with the settings of the moment
    EXPECT_EQ(column(1)[4], "note");
    pane.listView()->clearSelection();
    EXPECT_EQ(column(1), QStringList(6, QString()));

    pane.select(Ids{ids[1]});
    EXPECT_EQ(column(1)[1], "t1");
    db.deleteItems(Ids{ids[1]}, false);
    EXPECT_EQ(column(1), QStringList(5, QString()));
    pane.select(Ids{ids[2]});
    pane.showCategory(4);
    EXPECT_EQ(detail()->shownItem(), store::kNoItemId);
    EXPECT_EQ(column(1), QStringList(5, QString()));

    // The rows take the colour settings by parity.
    const auto text = [&](int row) { return detail()->topLevelItem(row)->foreground(1).color(); };
    const auto back = [&](int row) { return detail()->topLevelItem(row)->background(0).color(); };
    EXPECT_EQ(text(0), QColor(0x00, 0x66, 0x66));  // EvenText 0x666600 is blue-green-red
    EXPECT_EQ(text(1), QColor(0x00, 0x00, 0x33));
    EXPECT_EQ(back(2), QColor(0x78, 0xF0, 0x78));
    EXPECT_EQ(back(3), QColor(0xC8, 0xF0, 0xB4));
}

TEST_F(ItemPaneTest, ColumnResizeStoresIntoTheCurrentKindsLayout) {
    using Kind = settings::ColumnLayout::Kind;
    pane.listView()->header()->resizeSection(2, 123);
    EXPECT_EQ(settings.layout(Kind::Url).entries[2].width, 123);

    store::NewCategory files{"Files", "", "", store::kClassFile};
    pane.showCategory(db.addCategory(store::kRootId, files)->id());
    pane.listView()->header()->resizeSection(3, 66);
    EXPECT_EQ(settings.layout(Kind::File).entries[3].width, 66);
    EXPECT_EQ(settings.layout(Kind::Url).entries[3].width, 110);

    pane.showCategory(std::nullopt);
    const settings::AppSettings before = settings;
    pane.listView()->header()->resizeSection(1, 90);
    EXPECT_EQ(settings, before) << "no category, nothing stored";
}

}  // namespace
}  // namespace lh::gui

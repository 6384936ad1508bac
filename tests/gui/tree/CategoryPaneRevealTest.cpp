#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>

#include "gui/tree/CategoryPane.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/uikit/CategoryComboBox.h"
#include "store/Database.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

// A new category is shown where it was put: its parents opened, its row scrolled into view.
class CategoryPaneRevealTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        for (int i = 0; i < 40; ++i) {
            db.addCategory(store::kFavoritesId, {"Filler " + std::to_string(i), "", "", {}});
        }
        pane.resize(300, 150);  // a few rows: most of the tree is out of view
        pane.show();
        pane.treeView()->collapseAll();
    }

    void create(std::uint16_t parent, const char* name) {
        pane.newCategory();
        auto* dialog = pane.openDialog();
        ASSERT_NE(dialog, nullptr);
        auto* chooser = dialog->findChild<CategoryComboBox*>("parentCategoryComboBox");
        chooser->setCurrentIndex(chooser->lineOf(parent));
        dialog->findChild<QLineEdit*>("nameLineEdit")->setText(name);
        dialog->findChild<QPushButton*>("okButton")->click();
    }
    bool inView(std::uint16_t id) {
        CategoryTreeView* view = pane.treeView();
        const QRect row = view->visualRect(pane.treeModel()->indexOf(id));
        // The view may leave the last pixel of a row scrolled to the bottom edge out of sight.
        return !row.isEmpty() && view->viewport()->rect().contains(row.center());
    }

    store::Database db;
    test::ScriptedPrompter prompter;
    CategoryPane pane{db, prompter};
};

TEST_F(CategoryPaneRevealTest, NewCategoryOpensItsParentsAndScrollsIntoViewLeavingTheSelection) {
    ASSERT_TRUE(pane.selectCategory(3));
    const store::CategoryId parent = 7;  // below the current category, two levels down
    ASSERT_NE(db.findCategory(parent)->parent()->parent(), db.root());
    create(parent, "Fresh");
    const store::CategoryRecord* fresh = db.findCategory(parent)->lastChild();
    ASSERT_EQ(fresh->name(), "Fresh");
    for (const store::CategoryRecord* c = fresh->parent(); c != nullptr; c = c->parent()) {
        EXPECT_TRUE(pane.treeView()->isExpanded(pane.treeModel()->indexOf(c->id()))) << c->name();
    }
    EXPECT_TRUE(inView(fresh->id()));
    EXPECT_EQ(pane.currentCategoryId(), 3);

    // At the end of a long list, below what the pane shows.
    pane.treeView()->scrollToTop();
    create(store::kFavoritesId, "Last");
    const store::CategoryRecord* last = db.findCategory(store::kFavoritesId)->lastChild();
    ASSERT_EQ(last->name(), "Last");
    EXPECT_TRUE(inView(last->id()));
    EXPECT_FALSE(inView(3));
    EXPECT_EQ(pane.currentCategoryId(), 3);

    // A refused name creates nothing and opens nothing.
    pane.treeView()->collapseAll();
    create(parent, "Fresh");
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_FALSE(pane.treeView()->isExpanded(pane.treeModel()->indexOf(parent)));
}

}  // namespace
}  // namespace lh::gui

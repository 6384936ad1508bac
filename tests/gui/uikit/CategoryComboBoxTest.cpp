#include "gui/uikit/CategoryComboBox.h"

#include <QAbstractItemView>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include "gui/uikit/CategoryIcons.h"
#include "store/Kinds.h"

namespace lh::gui {
namespace {

TEST(CategoryComboBoxTest, LinesCarryTheirIdsAndLevels) {
    CategoryComboBox combo;
    combo.addCategory(1, "One", 1, categoryIcon(1, store::kClassUrl));
    combo.addCategory(40000, "Far", 2, categoryIcon(40000, store::kClassFile));
    EXPECT_EQ(combo.lineOf(40000), 1);
    EXPECT_EQ(combo.lineOf(2), -1);
    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.selectedCategoryId(), 40000);
    combo.setCurrentIndex(-1);
    EXPECT_FALSE(combo.selectedCategoryId());

    // Lines of the open list are indented by 9 pixels per level (level + 1).
    combo.addCategory(2, "Same", 1, categoryIcon(1, store::kClassUrl));
    combo.addCategory(3, "Same", 4, categoryIcon(1, store::kClassUrl));
    QAbstractItemDelegate* delegate = combo.view()->itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(combo.view());
    const int shallow = delegate->sizeHint(option, combo.model()->index(2, 0)).width();
    const int deep = delegate->sizeHint(option, combo.model()->index(3, 0)).width();
    EXPECT_EQ(deep - shallow, 3 * CategoryComboBox::kIndentPerLevel);
}

}  // namespace
}  // namespace lh::gui

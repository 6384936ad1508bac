#include "gui/uikit/CategoryComboBox.h"

#include <QAbstractItemView>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include "gui/uikit/CategoryIcons.h"
#include "store/Kinds.h"

namespace lh::gui {
namespace {

TEST(CategoryComboBoxTest, LinesCarryTheirNamesIconsIdsAndLevels) {
    CategoryComboBox combo;
    combo.setChoice({{{1, "One", 1, store::kClassUrl},
                      {40000, "Far \xC3\xA9", 2, store::kClassFile},
                      {2, "Same", 1, store::kClassUrl},
                      {3, "Same", 4, store::kClassUrl}},
                     1});
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Far \u00E9"));
    EXPECT_EQ(combo.selectedCategoryId(), 40000);
    EXPECT_EQ(combo.itemIcon(1).cacheKey(), categoryIcon(40000, store::kClassFile).cacheKey());
    EXPECT_EQ(combo.lineOf(3), 3);
    EXPECT_EQ(combo.lineOf(4), -1);
    combo.setCurrentIndex(-1);
    EXPECT_FALSE(combo.selectedCategoryId());

    // Lines of the open list are indented by 9 pixels per level (level + 1).
    QAbstractItemDelegate* delegate = combo.view()->itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(combo.view());
    const int shallow = delegate->sizeHint(option, combo.model()->index(2, 0)).width();
    const int deep = delegate->sizeHint(option, combo.model()->index(3, 0)).width();
    EXPECT_EQ(deep - shallow, 3 * CategoryComboBox::kIndentPerLevel);
}

}  // namespace
}  // namespace lh::gui

#include "gui/tree/CategoryTreeModel.h"

#include <QAbstractItemModelTester>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <string>

#include "store/Database.h"

namespace lh::gui {
namespace {

TEST(CategoryTreeModelTest, ToolTipsHoldTheWholeNameAsTyped) {
    store::Database db;
    db.createDefault();
    const std::string name =
        "A name far too long for a narrow pane: <i>R&D</i> " + std::string(90, 'z');
    const store::CategoryId id = db.addCategory(store::kFavoritesId, {name, "", "", {}})->id();
    CategoryTreeModel model(db);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.rebuild();

    QTextDocument shown;
    shown.setHtml(model.indexOf(id).data(Qt::ToolTipRole).toString());
    EXPECT_EQ(shown.toPlainText().toStdString(), name);
    EXPECT_EQ(model.indexOf(id).data().toString().toStdString(), name);
    EXPECT_FALSE(model.indexOf(id).parent().data(Qt::ToolTipRole).toString().isEmpty());
}

}  // namespace
}  // namespace lh::gui

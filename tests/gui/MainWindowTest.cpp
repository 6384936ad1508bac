#include "gui/shell/MainWindow.h"

#include <gtest/gtest.h>

#include "store/Database.h"

namespace lh::gui {
namespace {

TEST(MainWindowTest, OpensTitledLinkhaven) {
    store::Database db;
    MainWindow window(db);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Linkhaven"));
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace lh::gui

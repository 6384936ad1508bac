#include "gui/linkcheck/LinkCheckActions.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <gtest/gtest.h>

#include "gui/linkcheck/LinkCheckStartDialog.h"
#include "gui/linkcheck/LinkCheckWindow.h"
#include "gui/linkcheck/LinkMoveDialog.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/uikit/CategoryComboBox.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/FakeLinkCheckRun.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

using Ids = std::vector<store::ItemId>;

// The command, its dialogs and the window together; the session's own rules are
// LinkCheckSessionTest's.
class LinkCheckActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        inBbs = db.addItem(3, test::link("bbs", "http://bbs/"))->id();
        inLife = db.addItem(7, test::link("life", "http://life/"))->id();
        linkCheck.setRunFactory([this] { return std::make_unique<test::FakeLinkCheckRun>(runs); });
        linkCheck.setCurrentCategory([this] { return current; });
        window.show();
    }
    LinkCheckStartDialog& startDialog() {
        actions.action(CommandId::CheckLinks)->trigger();
        EXPECT_NE(linkCheck.startDialog(), nullptr);
        return *linkCheck.startDialog();
    }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    settings::AppSettings settings;
    BrowserLauncher browser{prompter, [] { return std::string("browser"); }};
    test::FakeRunLog runs;
    QWidget window;
    ActionRegistry actions;
    LinkCheckActions linkCheck{actions, {db, prompter, settings, browser, clock}, &window};
    std::optional<store::CategoryId> current;
    store::ItemId inBbs = 0;
    store::ItemId inLife = 0;
};

TEST_F(LinkCheckActionsTest, ChecksTheCurrentCategoryAsChosenAndReusesItsWindow) {
    // Without a current category: "WebFavorite" with everything below it.
    test::ScopedEnvironment environment;
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
        environment.unset(name);
    }
    environment.set("HTTP_PROXY", "http://ignored:3128");  // libcurl does not read it
    startDialog().accept();
    auto* proxyNote = linkCheck.window()->findChild<QLabel*>("proxyLabel");
    EXPECT_FALSE(proxyNote->isVisible());
    ASSERT_EQ(runs.runs.size(), 1u);
    EXPECT_EQ(runs.last().targets.size(), 2u);
    EXPECT_EQ(runs.last().options.totalTimeout, std::chrono::seconds(20));
    LinkCheckWindow* first = linkCheck.window();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());

    // BBS alone, nothing skipped, private addresses allowed: remembered for the next time.
    current = 3;
    LinkCheckStartDialog& dialog = startDialog();
    dialog.findChild<QCheckBox*>("subcategoriesCheckBox")->setChecked(false);
    dialog.findChild<QSpinBox*>("freshDaysSpinBox")->setValue(0);
    dialog.findChild<QCheckBox*>("privateCheckBox")->setChecked(true);
    environment.set("https_proxy", "http://proxy:3128");
    dialog.accept();
    EXPECT_TRUE(proxyNote->isVisible());  // private addresses cannot be told apart through it
    EXPECT_EQ(runs.runs[0]->cancels, 1);  // the first run stopped for the new one
    ASSERT_EQ(runs.runs.size(), 2u);
    ASSERT_EQ(runs.last().targets.size(), 1u);
    EXPECT_EQ(runs.last().targets[0].itemId, inBbs);
    EXPECT_TRUE(runs.last().options.allowPrivate);
    EXPECT_EQ(settings.LinkCheckFreshDays, 0);
    EXPECT_TRUE(settings.LinkCheckPrivate);
    EXPECT_EQ(linkCheck.window(), first);

    linkCheck.closeAll();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(runs.last().cancels, 1);
}

TEST_F(LinkCheckActionsTest, MoveToANewCategoryFromTheWindow) {
    startDialog().accept();
    auto* table = linkCheck.window()->findChild<QTableView*>("resultsTableView");
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    linkCheck.window()->findChild<QPushButton*>("moveButton")->click();
    LinkMoveDialog* dialog = linkCheck.moveDialog();
    ASSERT_NE(dialog, nullptr);
    // The list opens on the item's own category; the new one goes below the chosen line.
    auto* combo = dialog->findChild<CategoryComboBox*>("categoryComboBox");
    EXPECT_EQ(combo->selectedCategoryId(), 7);
    combo->setCurrentIndex(combo->lineOf(store::kFavoritesId));
    dialog->findChild<QLineEdit*>("newCategoryLineEdit")->setText("Dead links");
    dialog->accept();
    const store::CategoryRecord* moved = db.findCategory(db.findItem(inLife)->categoryId());
    EXPECT_EQ(moved->name(), "Dead links");
    EXPECT_EQ(moved->parent()->id(), store::kFavoritesId);
    EXPECT_EQ(db.findItem(inBbs)->categoryId(), 3);
}

}  // namespace
}  // namespace lh::gui

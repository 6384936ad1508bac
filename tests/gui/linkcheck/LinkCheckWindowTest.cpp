#include "gui/linkcheck/LinkCheckWindow.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include "gui/linkcheck/LinkCheckSession.h"
#include "gui/shell/BrowserLauncher.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/FakeLinkCheckRun.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

using linkcheck::Verdict;
using Ids = std::vector<store::ItemId>;
constexpr store::CategoryId kChecked = 8;

class LinkCheckWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        for (int i = 0; i < 5; ++i) {
            const std::string name = "l" + std::to_string(i);
            ids.push_back(db.addItem(kChecked, test::link(name, "http://" + name + "/"))->id());
        }
        window.show();
        ASSERT_TRUE(session.start(commands::linksOf(db, kChecked, false), {}, 7));
    }
    template <typename T>
    T* child(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QTableView* table() { return child<QTableView>("resultsTableView"); }
    void click(const char* name) { child<QPushButton>(name)->click(); }
    // Selects the shown rows `rows` (in the table's order).
    void selectRows(std::initializer_list<int> rows) {
        table()->clearSelection();
        for (int row : rows) {
            table()->selectionModel()->select(
                table()->model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    std::string progressText() { return child<QLabel>("progressLabel")->text().toStdString(); }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    BrowserLauncher browser{prompter, [] { return std::string("browser"); }};
    test::FakeRunLog runs;
    LinkCheckSession session{{db, prompter, browser, clock},
                             [this] { return std::make_unique<test::FakeLinkCheckRun>(runs); }};
    LinkCheckWindow window{session};
    Ids ids;
};

TEST_F(LinkCheckWindowTest, ProgressFollowsTheInjectedClock) {
    EXPECT_EQ(progressText(), "0 / 5 links");
    EXPECT_TRUE(child<QPushButton>("cancelButton")->isEnabled());
    runs.report(0, Verdict::Ok, 200);
    runs.report(1, Verdict::Ok, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(progressText(), "2 / 5 links");  // no rate before a second has passed
    clock.setUtcSeconds(clock.utcSeconds() + 4);
    window.refreshProgress();
    EXPECT_EQ(progressText(), "2 / 5 links, 0.5 per second, about 6 s left");
    clock.setUtcSeconds(clock.utcSeconds() + 400);
    window.refreshProgress();
    EXPECT_EQ(progressText(), "2 / 5 links, 0.005 per second, about 10 min 06 s left");
}

TEST_F(LinkCheckWindowTest, FilterByVerdictAndActOnTheSelectedRows) {
    runs.report(0, Verdict::Dead, 404);
    runs.report(1, Verdict::Ok, 200);
    runs.report(2, Verdict::Dead, 410);
    runs.report(3, Verdict::Moved, 301, "https://l3/");
    QCoreApplication::processEvents();

    window.setVerdictFilter("dead");
    ASSERT_EQ(table()->model()->rowCount(), 2);
    EXPECT_FALSE(child<QPushButton>("moveButton")->isEnabled());  // nothing selected
    selectRows({0, 1});
    EXPECT_EQ(window.selectedItems(), (Ids{ids[0], ids[2]}));
    EXPECT_FALSE(child<QPushButton>("newAddressButton")->isEnabled());
    click("recycleButton");
    EXPECT_EQ(db.findItem(ids[0])->categoryId(), store::kRecycleId);
    EXPECT_EQ(db.findItem(ids[2])->categoryId(), store::kRecycleId);

    window.setVerdictFilter("moved");
    ASSERT_EQ(table()->model()->rowCount(), 1);
    selectRows({0});
    ASSERT_TRUE(child<QPushButton>("newAddressButton")->isEnabled());
    click("newAddressButton");
    EXPECT_EQ(db.findItem(ids[3])->address(), "https://l3/");
    EXPECT_EQ(table()->model()->rowCount(), 0);  // now "edited"

    Ids chosen;
    window.setMoveChooser([&chosen](const Ids& selected) { chosen = selected; });
    window.setVerdictFilter("");
    EXPECT_EQ(table()->model()->rowCount(), 5);
    table()->sortByColumn(LinkResultsModel::Code, Qt::DescendingOrder);
    selectRows({0});
    click("moveButton");
    EXPECT_EQ(chosen, Ids{ids[2]});  // 410 sorts first
}

TEST_F(LinkCheckWindowTest, ClosingTheWindowStopsTheRunAtOnce) {
    runs.report(0, Verdict::Ok, 200);
    window.close();
    EXPECT_EQ(runs.last().cancels, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(progressText(), "Cancelled: 0 / 5 links");
    EXPECT_FALSE(child<QPushButton>("cancelButton")->isEnabled());
}

}  // namespace
}  // namespace lh::gui

#include "gui/linkcheck/LinkCheckSession.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "gui/shell/BrowserLauncher.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/FakeLinkCheckRun.h"
#include "support/RecordingBrowser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

using linkcheck::Verdict;
using Ids = std::vector<store::ItemId>;
constexpr store::CategoryId kChecked = 8;

store::ItemEdit addressEdit(std::string address) {
    store::ItemEdit edit;
    edit.address = std::move(address);
    return edit;
}

class LinkCheckSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        settingsBrowser = "browser";
        test::recordOpenedPages(browser, opened);
        for (const char* name : {"a", "b", "c"}) {
            ids.push_back(
                db.addItem(kChecked, test::link(name, std::string("http://") + name + "/"))->id());
        }
    }
    void startAll() { ASSERT_TRUE(session.start(commands::linksOf(db, kChecked, false), {}, 7)); }
    // The queued results arrive.
    static void deliver() { QCoreApplication::processEvents(); }
    // The verdict column as the filter reads it; "(no row)" when the item has none.
    std::string verdictOf(store::ItemId id) {
        const LinkResultsModel& model = session.model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex at = model.index(row, LinkResultsModel::Verdict);
            if (at.data(LinkResultsModel::kItemIdRole).toUInt() == id) {
                return at.data(LinkResultsModel::kVerdictRole).toString().toStdString();
            }
        }
        return "(no row)";
    }

    test::TempDir dir;
    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    std::string settingsBrowser;
    std::vector<std::string> opened;
    BrowserLauncher browser{prompter, [this] { return settingsBrowser; }};
    test::FakeRunLog runs;
    LinkCheckSession session{{db, prompter, browser, clock},
                             [this] { return std::make_unique<test::FakeLinkCheckRun>(runs); }};
    QAbstractItemModelTester tester{&session.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
    Ids ids;
};

TEST_F(LinkCheckSessionTest, ResultsArriveQueuedAndAreDroppedOnceTheRunIsCancelled) {
    startAll();
    ASSERT_EQ(runs.runs.size(), 1u);
    EXPECT_EQ(runs.last().targets.size(), 3u);
    EXPECT_EQ(runs.last().targets[1].address, "http://b/");
    EXPECT_EQ(session.model().rowCount(), 3);
    EXPECT_EQ(verdictOf(ids[0]), "");  // waiting

    runs.report(0, Verdict::Dead, 404);
    EXPECT_EQ(verdictOf(ids[0]), "");  // not before the event loop delivers it
    deliver();
    EXPECT_EQ(verdictOf(ids[0]), "dead");
    EXPECT_EQ(session.progress().done, 1u);

    runs.report(1, Verdict::Ok, 200);  // queued, then the run stops
    session.cancel();
    deliver();
    EXPECT_EQ(runs.last().cancels, 1);
    EXPECT_EQ(verdictOf(ids[1]), "");
    EXPECT_TRUE(session.progress().cancelled);
    EXPECT_FALSE(session.running());
}

TEST_F(LinkCheckSessionTest, RowsFollowTheirItems) {
    startAll();
    runs.report(0, Verdict::Ok, 200);
    runs.report(2, Verdict::Moved, 301, "https://c/");
    deliver();

    // A deleted item's row goes; so do the rows of a removed category's items.
    db.deleteItems(Ids{ids[1]}, false);
    EXPECT_EQ(session.model().find(ids[1]), nullptr);
    EXPECT_EQ(session.model().rowCount(), 2);

    // An edited address marks the row: its "moved" no longer offers a new address.
    db.editItem(ids[2], addressEdit("http://c2/"));
    EXPECT_EQ(verdictOf(ids[2]), "edited");
    EXPECT_FALSE(offersNewAddress(*session.model().find(ids[2])));
    EXPECT_EQ(session.model().find(ids[2])->address, "http://c2/");

    // Moving keeps the rows; removing the category (Technology, below BBS) takes them.
    session.moveTo(Ids{ids[0]}, 7);
    EXPECT_EQ(db.findItem(ids[0])->categoryId(), 7);
    EXPECT_EQ(session.model().rowCount(), 2);
    (void)db.removeCategory(kChecked, false);
    EXPECT_EQ(session.model().rowCount(), 1);
    (void)db.removeCategory(7, false);
    EXPECT_EQ(session.model().rowCount(), 0);
}

TEST_F(LinkCheckSessionTest, ActionsGoThroughTheItemCommands) {
    startAll();
    runs.report(0, Verdict::Dead, 404);
    runs.report(1, Verdict::Moved, 301, "javascript:alert(1)");
    runs.report(2, Verdict::Moved, 308, "https://c.example/");
    deliver();

    // Only web addresses replace an address; a refusal stops there.
    session.useNewAddresses(ids);
    EXPECT_EQ(db.findItem(ids[1])->address(), "http://b/");
    EXPECT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(db.findItem(ids[2])->address(), "http://c/");
    session.useNewAddresses(Ids{ids[2], ids[0]});
    EXPECT_EQ(db.findItem(ids[2])->address(), "https://c.example/");
    EXPECT_EQ(db.findItem(ids[0])->address(), "http://a/");  // dead: nothing to take
    EXPECT_EQ(verdictOf(ids[2]), "edited");

    // A new category below the chosen one, made once and then reused.
    EXPECT_EQ(session.moveToNamed(Ids{ids[0]}, store::kFavoritesId, "Dead links"),
              commands::DialogOutcome::Close);
    const store::CategoryRecord* dead = db.findCategory(db.findItem(ids[0])->categoryId());
    EXPECT_EQ(dead->name(), "Dead links");
    EXPECT_EQ(dead->parent()->id(), store::kFavoritesId);
    session.moveToNamed(Ids{ids[1]}, store::kFavoritesId, "Dead links");
    EXPECT_EQ(db.findItem(ids[1])->categoryId(), dead->id());
    EXPECT_EQ(session.moveToNamed(Ids{ids[1]}, store::kFavoritesId, std::string(200, 'x')),
              commands::DialogOutcome::KeepOpen);  // too long a name: told, nothing moves

    session.moveToRecycle(Ids{ids[1]});
    EXPECT_EQ(db.findItem(ids[1])->categoryId(), store::kRecycleId);
    session.open(Ids{ids[1], ids[2]});
    EXPECT_EQ(opened, (std::vector<std::string>{"http://b/", "https://c.example/"}));

    // Re-check starts a run of those rows with their addresses as they are now.
    session.recheck(Ids{ids[2]});
    ASSERT_EQ(runs.runs.size(), 2u);
    ASSERT_EQ(runs.last().targets.size(), 1u);
    EXPECT_EQ(runs.last().targets[0].itemId, ids[2]);
    EXPECT_EQ(runs.last().targets[0].address, "https://c.example/");
    EXPECT_EQ(verdictOf(ids[2]), "");
    runs.report(0, Verdict::Ok, 200);
    runs.finish();
    deliver();
    EXPECT_EQ(verdictOf(ids[2]), "ok");
    EXPECT_TRUE(session.progress().finished);
}

TEST_F(LinkCheckSessionTest, ALoadMatchesRowsAgainByAddress) {
    startAll();
    runs.report(1, Verdict::Dead, 410);
    deliver();
    const std::string file = dir.file("links.lhd");
    ASSERT_TRUE(test::save(db, file));
    db.editItem(ids[0], addressEdit("http://z/"));  // not in the file

    ASSERT_EQ(test::load(db, file), store::LoadOutcome::Loaded);  // new ids, same addresses
    EXPECT_EQ(runs.last().cancels, 1);                            // its results named the old ids
    const Ids loaded = {db.findCategory(kChecked)->firstItem()->id(),
                        db.findCategory(kChecked)->firstItem()->next()->id(),
                        db.findCategory(kChecked)->firstItem()->next()->next()->id()};
    EXPECT_EQ(session.model().rowCount(), 2);
    EXPECT_EQ(verdictOf(loaded[0]), "(no row)");
    EXPECT_EQ(verdictOf(loaded[1]), "dead");
    EXPECT_EQ(verdictOf(loaded[2]), "");
    EXPECT_EQ(verdictOf(ids[1]), "(no row)");
}

}  // namespace
}  // namespace lh::gui

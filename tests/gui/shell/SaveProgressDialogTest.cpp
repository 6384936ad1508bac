#include "gui/shell/SaveProgressDialog.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/LhdWriter.h"
#include "support/DatabaseFiles.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

class SaveProgressDialogTest : public ::testing::Test {
protected:
    SaveProgressDialogTest() {
        db.createDefault();
        for (int i = 0; i < 9000; ++i) {
            db.addItem(4, {"http://site/" + std::to_string(i), "", "T", "", 3, 1, 0, {}, {}});
        }
        db.setSaveProgress(&progress);
    }
    ~SaveProgressDialogTest() override { db.setSaveProgress(nullptr); }

    // What a timer that fires during the save sees, repeatedly; empty when it never fired.
    std::vector<std::string> watchSave() {
        std::vector<std::string> seen;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QProgressDialog* shown = progress.dialog();
            const bool modal = shown != nullptr && QApplication::activeModalWidget() == shown;
            if (shown != nullptr) {
                shown->reject();  // Escape, the close box and a window that ends try this
                shown->close();
            }
            seen.push_back(std::string(progress.isSaving() ? "saving" : "idle") +
                           (modal && shown->isVisible() ? " modal" : ""));
        });
        watcher.start(0);
        EXPECT_TRUE(test::save(db, dir.file("Default.lhd")));
        return seen;
    }

    test::TempDir dir;
    store::Database db;
    SaveProgressDialog progress{nullptr, 9000};
};

// A big save shows its modal dialog, which nothing closes, and lets timers run throughout, the
// flush at its end included; the file is the same.
TEST_F(SaveProgressDialogTest, BigSavesKeepTheEventLoopGoingBehindAModalDialog) {
    const std::vector<std::string> seen = watchSave();
    EXPECT_GE(seen.size(), 3u);  // at the start, every 4,096 records, during the flush
    for (const std::string& s : seen) {
        EXPECT_EQ(s, "saving modal");
    }
    EXPECT_EQ(test::readBytes(dir.file("Default.lhd")), store::lhd::serialize(db, 8));
    EXPECT_FALSE(progress.isSaving());
    EXPECT_EQ(progress.dialog(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SaveProgressDialogTest, SmallSavesShowNothingAndRunNothingMeanwhile) {
    db.removeCategory(4, false);
    EXPECT_TRUE(watchSave().empty());
    EXPECT_EQ(test::readBytes(dir.file("Default.lhd")), store::lhd::serialize(db, 8));
}

}  // namespace
}  // namespace lh::gui

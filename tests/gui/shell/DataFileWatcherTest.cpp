#include "gui/shell/DataFileWatcher.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace lh::gui {
namespace {

TEST(DataFileWatcherTest, AFileReplacedInItsFolderIsLookedAtOnceTheWindowIsFree) {
    test::TempDir dir;
    const std::string file = dir.file("Default.lhd");
    test::writeBytes(file, "first");
    int looks = 0;
    bool busy = false;
    DataFileWatcher watcher([&] { ++looks; }, [&] { return busy; });
    watcher.follow(QString::fromStdString(file));

    // Replaced by a rename, as careful writers save: seen through the folder.
    test::writeBytes(dir.file("Default.lhd.new"), "second");
    std::filesystem::rename(dir.file("Default.lhd.new"), file);
    EXPECT_TRUE(QTest::qWaitFor([&] { return looks == 1; }, 10'000));

    // While a dialog or an import runs the look waits, then comes once.
    busy = true;
    watcher.lookWhenFree();
    EXPECT_EQ(looks, 1);
    busy = false;
    watcher.lookWhenFree();
    EXPECT_EQ(looks, 2);
    watcher.follow({});
    watcher.lookWhenFree();
    EXPECT_EQ(looks, 2);  // nothing followed, nothing to look at
}

}  // namespace
}  // namespace lh::gui

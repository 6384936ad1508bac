#include "platform/AtomicFile.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "store/Database.h"
#include "store/LhdWriter.h"
#include "support/DatabaseFiles.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace lh::platform {
namespace {

// A database big enough that writing it takes many write calls.
void fill(store::Database& db, int items, const std::string& tag) {
    db.createDefault();
    for (int i = 0; i < items; ++i) {
        store::ItemFields item;
        item.address = "http://example.com/" + tag + "/" + std::to_string(i);
        item.title = "Title " + std::to_string(i);
        item.comment = std::string(200, 'c');
        db.addItem(static_cast<std::uint16_t>(3 + i % 7), item);
    }
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(AtomicFileTest, EveryFailingStepKeepsTheOldFileWhole) {
    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
    store::Database oldDb;
    fill(oldDb, 100, "old");
    ASSERT_TRUE(test::save(oldDb, path));
    const std::string oldBytes = test::readBytes(path);

    // Count the steps of one successful save, then fail each in turn.
    test::FaultyFileSystem counter;
    store::Database newDb(systemClock(), counter);
    fill(newDb, 20000, "new");  // several megabytes: many writes
    ASSERT_TRUE(test::save(newDb, path));
    const int steps = static_cast<int>(counter.calls.size());
    ASSERT_GT(steps, 8);
    test::writeBytes(path, oldBytes);

    for (int n = 1; n <= steps; ++n) {
        test::FaultyFileSystem fs;
        fs.failAt = n;
        fs.error = ENOSPC;
        store::Database db(systemClock(), fs);
        fill(db, 20000, "new");
        IoError error;
        const bool saved = db.save(path, error);
        const std::string step = fs.calls[static_cast<std::size_t>(n - 1)];
        if (step == "syncFolder") {
            // The new file is in place; only its durability is in doubt, and that is reported.
            EXPECT_FALSE(saved);
            EXPECT_EQ(test::readBytes(path), store::lhd::serialize(db, 8));
        } else {
            EXPECT_FALSE(saved) << step;
            EXPECT_EQ(test::readBytes(path), oldBytes) << "failed at " << step;
        }
        EXPECT_EQ(error.systemError, ENOSPC) << step;
        EXPECT_FALSE(error.step.empty()) << step;
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"Default.lhd"}) << step;
        if (step == "syncFolder") {
            test::writeBytes(path, oldBytes);
        }
    }
}

TEST(AtomicFileTest, KilledSaveLeavesOldOrNewFile) {
    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
    store::Database oldDb;
    fill(oldDb, 1000, "old");
    ASSERT_TRUE(test::save(oldDb, path));
    const std::string oldBytes = test::readBytes(path);
    store::Database newDb;
    fill(newDb, 20000, "new");
    const std::string newBytes = store::lhd::serialize(newDb, 8);

    const auto saveInChild = [&](int killAt, int delayMicros) {
        const pid_t child = ::fork();
        if (child == 0) {
            test::FaultyFileSystem fs;
            fs.failAt = killAt;
            fs.kill = killAt > 0;
            store::Database db(systemClock(), fs);
            fill(db, 20000, "new");
            ::_exit(test::save(db, path) ? 0 : 1);
        }
        if (delayMicros > 0) {
            ::usleep(static_cast<useconds_t>(delayMicros));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = test::readBytes(path);
        EXPECT_TRUE(now == oldBytes || now == newBytes)
            << "killed at step " << killAt << " / after " << delayMicros << " us";
        test::writeBytes(path, oldBytes);
    };
    // At each of the first steps, deterministically...
    for (int step = 1; step <= 12; ++step) {
        saveInChild(step, 0);
    }
    // ...and at arbitrary moments. Whenever the kill lands, the assertion must hold.
    std::mt19937 random(42);
    for (int round = 0; round < 10; ++round) {
        saveInChild(0, std::uniform_int_distribution<int>(0, 150000)(random));
    }
}

TEST(AtomicFileTest, FollowsLinksAndKeepsPermissions) {
    test::TempDir dir;
    const std::string target = dir.file("real.lhd");
    const std::string link = dir.file("link.lhd");
    store::Database db;
    ASSERT_TRUE(test::createDefaultFile(db, target));
    ::chmod(target.c_str(), 0640);
    ASSERT_EQ(::symlink("real.lhd", link.c_str()), 0);
    store::ItemFields item;
    item.title = "new";
    db.addItem(3, item);
    ASSERT_TRUE(test::save(db, link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::readBytes(target), store::lhd::serialize(db, 8));
    EXPECT_EQ(modeOf(target), 0640u);
}

TEST(AtomicFileTest, WritesInPlaceWhenTheFolderTakesNoNewFiles) {
    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
    store::Database big;
    fill(big, 500, "big");
    ASSERT_TRUE(test::save(big, path));

    test::FaultyFileSystem fs;
    fs.failAt = 2;  // checkWritable, then createTemporary
    fs.error = EACCES;
    store::Database small(systemClock(), fs);
    small.createDefault();
    ASSERT_TRUE(test::save(small, path));
    EXPECT_EQ(fs.calls[1], "createTemporary");
    EXPECT_EQ(fs.calls[2], "openForWriting");
    EXPECT_EQ(test::readBytes(path), store::lhd::serialize(small, 8));  // no old tail
}

TEST(AtomicFileTest, RefusesAFileThisUserMayNotWrite) {
    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
    store::Database db;
    ASSERT_TRUE(test::createDefaultFile(db, path));
    const std::string before = test::readBytes(path);
    test::FaultyFileSystem fs;
    fs.failAt = 1;
    fs.error = EACCES;
    store::Database other(systemClock(), fs);
    other.createDefault();
    other.renameCategory(3, "changed");
    IoError error;
    EXPECT_FALSE(other.save(path, error));
    EXPECT_EQ(fs.calls.front(), "checkWritable");
    EXPECT_EQ(error.message(), "open '" + path + "': " + std::string(std::strerror(EACCES)));
    EXPECT_EQ(test::readBytes(path), before);
}

}  // namespace
}  // namespace lh::platform

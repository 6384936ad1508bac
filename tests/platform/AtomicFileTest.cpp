#include "platform/AtomicFile.h"

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
        item.comment = std::string(200, 'c');
        db.addItem(static_cast<std::uint16_t>(3 + i % 7), item);
    }
}

class AtomicFileTest : public ::testing::Test {
protected:
    // Saves a database of `items` items to `path`; its bytes.
    std::string saveOld(int items) {
        store::Database db;
        fill(db, items, "old");
        EXPECT_TRUE(test::save(db, path));
        return test::readBytes(path);
    }

    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
};

TEST_F(AtomicFileTest, EveryFailingStepKeepsTheOldFileWhole) {
    const std::string oldBytes = saveOld(100);
    // Count the steps of one successful save, then fail each in turn.
    test::FaultyFileSystem counter;
    store::Database newDb(systemClock(), counter);
    fill(newDb, 20000, "new");  // several megabytes: many writes
    ASSERT_TRUE(test::save(newDb, path));
    const std::string newBytes = test::readBytes(path);
    const std::size_t steps = counter.calls.size();
    ASSERT_GT(steps, 8u);

    for (std::size_t n = 1; n <= steps; ++n) {
        test::writeBytes(path, oldBytes);
        test::FaultyFileSystem fs;
        fs.failAt = static_cast<int>(n);
        fs.error = n == 1 ? EACCES : ENOSPC;  // first: may this user write the file at all?
        store::Database db(systemClock(), fs);
        fill(db, 20000, "new");
        IoError error;
        EXPECT_FALSE(db.save(path, error));
        const std::string step = fs.calls[n - 1];
        // Once the new file is in place only its durability is in doubt; that is reported too.
        EXPECT_TRUE(test::readBytes(path) == (step == "syncFolder" ? newBytes : oldBytes)) << step;
        EXPECT_EQ(error.systemError, fs.error) << step;
        EXPECT_FALSE(error.step.empty()) << step;
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"Default.lhd"}) << step;
        if (n == 1) {
            EXPECT_EQ(step, "checkWritable");
            EXPECT_EQ(error.message(), "open '" + path + "': " + std::strerror(EACCES));
        }
    }
}

TEST_F(AtomicFileTest, KilledSaveLeavesOldOrNewFile) {
    const std::string oldBytes = saveOld(1000);
    store::Database newDb;
    fill(newDb, 20000, "new");
    const std::string newBytes = store::lhd::serialize(newDb, 8);
    // Killed at each of the first steps, then at arbitrary moments: wherever the kill lands, the
    // file is the old one or the new one.
    std::mt19937 random(42);
    for (int round = 0; round < 22; ++round) {
        const int killAt = round < 12 ? round + 1 : 0;
        const pid_t child = ::fork();
        if (child == 0) {
            test::FaultyFileSystem fs;
            fs.failAt = killAt;
            fs.kill = true;
            store::Database db(systemClock(), fs);
            fill(db, 20000, "new");
            ::_exit(test::save(db, path) ? 0 : 1);
        }
        if (killAt == 0) {
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 150000)(random));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = test::readBytes(path);
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "round " << round;
        test::writeBytes(path, oldBytes);
    }
}

TEST_F(AtomicFileTest, FollowsLinksAndKeepsPermissions) {
    const std::string target = dir.file("real.lhd");
    store::Database db;
    ASSERT_TRUE(test::createDefaultFile(db, target));
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    ASSERT_EQ(::symlink("real.lhd", path.c_str()), 0);
    db.renameCategory(3, "new");
    ASSERT_TRUE(test::save(db, path));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(test::readBytes(target), store::lhd::serialize(db, 8));
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
}

TEST_F(AtomicFileTest, WritesInPlaceWhenTheFolderTakesNoNewFiles) {
    saveOld(500);
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

}  // namespace
}  // namespace lh::platform

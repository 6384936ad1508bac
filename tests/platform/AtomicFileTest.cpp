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

class AtomicFileTest : public ::testing::Test {
protected:
    // Saves a database of `items` items (20,000 take many write calls) to `path` through `fs`.
    bool save(int items, const std::string& tag, FileSystem& fs = realFileSystem()) {
        store::Database db(systemClock(), fs);
        db.createDefault();
        for (int i = 0; i < items; ++i) {
            store::ItemFields item;
            item.address = "http://example.com/" + tag + "/" + std::to_string(i);
            item.comment = std::string(200, 'c');
            db.addItem(static_cast<std::uint16_t>(3 + i % 7), item);
        }
        return db.save(path, error);
    }
    // The bytes `save` writes without faults.
    std::string bytes(int items, const std::string& tag) {
        EXPECT_TRUE(save(items, tag));
        return test::readBytes(path);
    }

    test::TempDir dir;
    const std::string path = dir.file("Default.lhd");
    IoError error;
};

TEST_F(AtomicFileTest, EveryFailingStepKeepsTheOldFileWhole) {
    const std::string oldBytes = bytes(100, "old");
    // Count the steps of one successful save over it, then fail each in turn.
    test::FaultyFileSystem counter;
    ASSERT_TRUE(save(20000, "new", counter));
    const std::string newBytes = test::readBytes(path);
    ASSERT_GT(counter.calls.size(), 8u);
    for (std::size_t n = 1; n <= counter.calls.size(); ++n) {
        test::writeBytes(path, oldBytes);
        // First: may this user write the file at all?
        test::FaultyFileSystem fs(static_cast<int>(n), n == 1 ? EACCES : ENOSPC);
        EXPECT_FALSE(save(20000, "new", fs));
        const std::string step = fs.calls[n - 1];
        // Once the new file is in place only its durability is in doubt; that is reported too.
        const bool renamed = step == "syncFolder" || step == "close";
        EXPECT_TRUE(test::readBytes(path) == (renamed ? newBytes : oldBytes)) << step;
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
    const std::string newBytes = bytes(20000, "new"), oldBytes = bytes(1000, "old");
    // Killed at each of the first steps, then at arbitrary moments: wherever the kill lands, the
    // file is the old one or the new one.
    std::mt19937 random(42);
    for (int round = 0; round < 22; ++round) {
        const int killAt = round < 12 ? round + 1 : 0;
        const pid_t child = ::fork();
        if (child == 0) {
            test::FaultyFileSystem fs(killAt, 0, true);
            ::_exit(save(20000, "new", fs) ? 0 : 1);
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
    const std::string small = bytes(0, "");
    bytes(500, "old");
    test::FaultyFileSystem fs(2, EACCES);  // checkWritable, then createTemporary
    ASSERT_TRUE(save(0, "", fs));
    EXPECT_EQ(fs.calls[1], "createTemporary");
    EXPECT_EQ(fs.calls[2], "openForWriting");
    EXPECT_EQ(test::readBytes(path), small);  // no old tail
}

}  // namespace
}  // namespace lh::platform

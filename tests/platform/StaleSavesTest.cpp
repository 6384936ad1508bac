#include "platform/StaleSaves.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace lh::platform {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

// The real file system; at the rename it records what a start of the program would remove then.
struct RenameWatcher final : FileSystem {
    FileSystem& real = realFileSystem();
    std::string target;
    int removedAtRename = -1;

    int rename(const std::string& from, const std::string& to) override {
        removedAtRename = removeStaleSaves(target, 0s);
        return real.rename(from, to);
    }
    int createTemporary(const std::string& folder, const std::string& prefix, std::string& path,
                        int& fd) override {
        return real.createTemporary(folder, prefix, path, fd);
    }
    int openForWriting(const std::string& path, int& fd) override {
        return real.openForWriting(path, fd);
    }
    int write(int fd, const void* data, std::size_t size) override {
        return real.write(fd, data, size);
    }
    int writeAt(int fd, std::uint64_t offset, const void* data, std::size_t size) override {
        return real.writeAt(fd, offset, data, size);
    }
    int truncate(int fd, std::uint64_t size) override { return real.truncate(fd, size); }
    int setPermissions(int fd, unsigned mode) override { return real.setPermissions(fd, mode); }
    int sync(int fd) override { return real.sync(fd); }
    int close(int fd) override { return real.close(fd); }
    int remove(const std::string& path) override { return real.remove(path); }
    int syncFolder(const std::string& folder) override { return real.syncFolder(folder); }
    int checkWritable(const std::string& path) override { return real.checkWritable(path); }
    int permissions(const std::string& path, unsigned& mode) override {
        return real.permissions(path, mode);
    }
    int resolveLinks(const std::string& path, std::string& resolved) override {
        return real.resolveLinks(path, resolved);
    }
};

// Makes `path` with a last write two minutes ago.
void writeOld(const std::string& path) {
    test::writeBytes(path, "half a database");
    ASSERT_EQ(setFileWriteTime(path, (std::time(nullptr) - 120) * 1'000'000'000LL), 0);
}

TEST(StaleSavesTest, RemovesOnlyOldUnlockedTemporaryFilesOfTheDataFile) {
    test::TempDir dir;
    const std::string data = dir.file("Default.lhd");
    test::writeBytes(data, "the data file");
    writeOld(dir.file(".Default.lhd.saving-AbCd1234"));  // left by a crash
    writeOld(dir.file(".Default.lhd.saving-Locked00"));  // a save still running
    writeOld(dir.file(".Other.lhd.saving-AbCd1234"));    // another file's
    writeOld(dir.file(".Default.lhd.saving-toolong99"));
    writeOld(dir.file("Default.lbak1"));
    test::writeBytes(dir.file(".Default.lhd.saving-Fresh000"), "just begun");
    std::filesystem::create_directory(dir.file(".Default.lhd.saving-Folder00"));
    const int held = ::open(dir.file(".Default.lhd.saving-Locked00").c_str(), O_WRONLY);
    ASSERT_EQ(lockForWriting(held), 0);
    // A link to the data file leads to the folder of the file itself.
    test::TempDir elsewhere;
    std::filesystem::create_symlink(data, elsewhere.file("link.lhd"));

    EXPECT_EQ(removeStaleSaves(elsewhere.file("link.lhd"), 60s), 1);
    EXPECT_EQ(test::listFolder(dir.path()),
              (Names{".Default.lhd.saving-Folder00", ".Default.lhd.saving-Fresh000",
                     ".Default.lhd.saving-Locked00", ".Default.lhd.saving-toolong99",
                     ".Other.lhd.saving-AbCd1234", "Default.lbak1", "Default.lhd"}));
    ::close(held);  // its save died: now it goes too
    EXPECT_EQ(removeStaleSaves(data, 60s), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file(".Default.lhd.saving-Locked00")));
    EXPECT_EQ(removeStaleSaves(dir.file("missing/x.lhd"), 60s), 0);
}

TEST(StaleSavesTest, ASaveHoldsItsTemporaryFileLockedUntilItIsRenamed) {
    test::TempDir dir;
    RenameWatcher fs;
    fs.target = dir.file("Default.lhd");
    AtomicFile file(fs);
    ASSERT_TRUE(file.open(fs.target));
    ASSERT_TRUE(file.write("new", 3));
    EXPECT_EQ(removeStaleSaves(fs.target, 0s), 0);  // being written
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(fs.removedAtRename, 0);  // still locked at the rename
    EXPECT_EQ(test::readBytes(fs.target), "new");
    EXPECT_EQ(test::listFolder(dir.path()), Names{"Default.lhd"});
}

}  // namespace
}  // namespace lh::platform

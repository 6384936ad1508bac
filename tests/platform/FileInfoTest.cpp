#include "platform/FileInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace lh::platform {
namespace {

TEST(FileInfoTest, PathExistsWithOrWithoutFollowingLinks) {
    test::TempDir dir;
    test::writeBytes(dir.file("real.lhd"), "x");
    std::filesystem::create_symlink("real.lhd", dir.file("good-link"));
    std::filesystem::create_symlink("missing.lhd", dir.file("dangling-link"));

    for (const Links links : {Links::Follow, Links::NoFollow}) {
        EXPECT_TRUE(pathExists(dir.file("real.lhd"), links));
        EXPECT_TRUE(pathExists(dir.path(), links));
        EXPECT_TRUE(pathExists(dir.file("good-link"), links));
        EXPECT_FALSE(pathExists(dir.file("missing.lhd"), links));
        EXPECT_FALSE(pathExists(dir.file("real.lhd/below"), links));
    }
    // A dangling link is a name in use, but nothing stands behind it.
    EXPECT_FALSE(pathExists(dir.file("dangling-link")));
    EXPECT_TRUE(pathExists(dir.file("dangling-link"), Links::NoFollow));
}

}  // namespace
}  // namespace lh::platform

#include "platform/FileReader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace lh::platform {
namespace {

TEST(FileReaderTest, ReadsPiecesAtOffsetsAndNoticesAFileThatShrank) {
    test::TempDir dir;
    const std::string path = dir.file("f");
    test::writeBytes(path, "0123456789");
    FileReader file;
    ASSERT_EQ(file.open(path), FileReader::Status::Open);
    EXPECT_EQ(file.size(), 10u);
    std::string piece(4, '\0');
    ASSERT_TRUE(file.readAt(6, piece.data(), 4));
    EXPECT_EQ(piece, "6789");
    ASSERT_TRUE(file.readAt(0, piece.data(), 3));
    EXPECT_EQ(piece, "0129");
    std::filesystem::resize_file(path, 5);
    EXPECT_FALSE(file.readAt(3, piece.data(), 4));
    EXPECT_TRUE(file.error().failed());

    EXPECT_EQ(file.open(dir.file("missing")), FileReader::Status::Missing);
    EXPECT_EQ(file.error().systemError, ENOENT);
    EXPECT_EQ(file.open(dir.path()), FileReader::Status::Unreadable);
    test::writeBytes(path, "");
    EXPECT_EQ(file.open(path), FileReader::Status::Empty);
}

}  // namespace
}  // namespace lh::platform

#include "store/DataFileLocation.h"

#include <gtest/gtest.h>

namespace lh::store {
namespace {

TEST(DataFileLocationTest, CommandLineTakesLhdFilesInAnyCaseMadeAbsolute) {
    // The dot must be in the file name.
    for (const char* other : {"/a/b/notes.txt", "/a/b/notes", "/a.lhd/notes", "/a/b/n.lhdx"}) {
        EXPECT_FALSE(hasDatabaseExtension(other)) << other;
    }
    EXPECT_TRUE(hasDatabaseExtension("x.lHd"));

    EXPECT_EQ(dataFileFromCommandLine({"notes.txt", "sub/../My.LHD"}, "/home/a"), "/home/a/My.LHD");
    EXPECT_EQ(dataFileFromCommandLine({"/d/x.lhd"}, "/home/a"), "/d/x.lhd");
    EXPECT_FALSE(dataFileFromCommandLine({"notes", "-style=fusion"}, "/home/a"));
    EXPECT_FALSE(dataFileFromCommandLine({}, "/home/a"));
}

TEST(DataFileLocationTest, DefaultFileLivesInTheUserDataFolder) {
    EXPECT_EQ(defaultDataFile("/home/a/.local/share"),
              "/home/a/.local/share/Linkhaven/Default.lhd");
    EXPECT_EQ(defaultDataFile(""), "");

    const std::string def = "/d/Linkhaven/Default.lhd";
    EXPECT_EQ(locateDataFile("/cmd/x.lhd", std::string("/r/y.lhd"), def), "/cmd/x.lhd");
    EXPECT_EQ(locateDataFile("", std::string("/r/y.lhd"), def), "/r/y.lhd");
    EXPECT_EQ(locateDataFile("", std::string("y.lhd"), def), def);  // not absolute
    EXPECT_EQ(locateDataFile("", std::nullopt, def), def);
}

TEST(DataFileLocationTest, TitlesAndSaveNames) {
    EXPECT_EQ(windowTitle("/home/a/Default.lhd"), "Default.lhd -- Linkhaven");
    EXPECT_EQ(windowTitle(""), "Untitled.lhd  Linkhaven");
    EXPECT_EQ(windowTitle("  "), "Untitled.lhd  Linkhaven");

    EXPECT_EQ(normaliseExtension("/d/notes"), "/d/notes.lhd");
    EXPECT_EQ(normaliseExtension("/d/notes.LHD"), "/d/notes.LHD");
    EXPECT_EQ(normaliseExtension("/d/notes.txt"), "/d/notes.txt.lhd");
    EXPECT_EQ(normaliseExtension("/d/notes.lhd  "), "/d/notes.lhd");
    EXPECT_EQ(normaliseExtension("/d.x/notes"), "/d.x/notes.lhd");
}

}  // namespace
}  // namespace lh::store

#include "platform/UserFolders.h"

#include <gtest/gtest.h>

namespace lh::platform {
namespace {

using Folders = std::vector<std::string>;

TEST(UserFoldersTest, DataFoldersLeaveRelativeValuesOut) {
    EXPECT_EQ(dataFoldersFrom("/x/data", "/home/a", "/opt/share:/usr/share"),
              (Folders{"/x/data", "/opt/share", "/usr/share"}));
    // Unset or empty: the defaults. A relative XDG_DATA_HOME is as good as unset.
    EXPECT_EQ(dataFoldersFrom("", "/home/a", ""),
              (Folders{"/home/a/.local/share", "/usr/local/share", "/usr/share"}));
    EXPECT_EQ(dataFoldersFrom("share", "/home/a", "/usr/share"),
              (Folders{"/home/a/.local/share", "/usr/share"}));
    // Relative and empty entries of XDG_DATA_DIRS are skipped, the order of the rest kept.
    EXPECT_EQ(dataFoldersFrom("/d", "", "rel:/b/share/::./c:/a/share"),
              (Folders{"/d", "/b/share/", "/a/share"}));
    // Without a home folder there is no data home.
    EXPECT_EQ(dataFoldersFrom("", "", "/usr/share"), Folders{"/usr/share"});
    EXPECT_EQ(dataFoldersFrom("rel", "home/a", "/usr/share"), Folders{"/usr/share"});
}

}  // namespace
}  // namespace lh::platform

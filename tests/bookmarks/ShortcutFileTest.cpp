#include "bookmarks/ShortcutFile.h"

#include <gtest/gtest.h>

namespace lh::bookmarks {
namespace {

TEST(ShortcutFileTest, TakesTheUrlKeyOfTheInternetShortcutSection) {
    // Current Windows writes IDList= before URL=.
    EXPECT_EQ(readShortcutAddress("[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n"
                                  "[InternetShortcut]\r\nIDList=\r\nURL=https://a.example/\r\n"
                                  "IconIndex=1\r\n"),
              "https://a.example/");
    EXPECT_EQ(readShortcutAddress("[internetshortcut]\n  url =  https://b.example/x y  "),
              "https://b.example/x y");  // the last line counts without a line break
    EXPECT_EQ(readShortcutAddress("\xEF\xBB\xBF[InternetShortcut]\nURL=https://c/\xC3\xA9"),
              "https://c/\xC3\xA9");
    EXPECT_EQ(readShortcutAddress("[InternetShortcut]\nURL=https://d/caf\xE9"),
              "https://d/caf\xC3\xA9");  // Windows-1252
    EXPECT_EQ(readShortcutAddress("[InternetShortcut]\nURL=\nURL=https://e/"), "https://e/");
    EXPECT_EQ(readShortcutAddress("[Other]\nURL=https://f/\n[InternetShortcut]\nWorkingDir=x\n"),
              "");
    EXPECT_EQ(readShortcutAddress("[InternetShortcut]\nURL https://g/\n"), "");  // no "="
    EXPECT_EQ(readShortcutAddress("[InternetShortcut]\n[Next]\nURL=https://h/\n"), "");
    EXPECT_EQ(readShortcutAddress(""), "");
}

}  // namespace
}  // namespace lh::bookmarks

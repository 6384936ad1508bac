#include "settings/SkinLook.h"

#include <gtest/gtest.h>

#include "settings/AppSettings.h"
#include "settings/IniText.h"

namespace lh::settings {
namespace {

TEST(SkinLookTest, IniTextMatchesNamesInAnyCaseKeepsTheFirstAndCutsValues) {
    const std::string text =
        "\xEF\xBB\xBF[list]\r\n"
        "  TEXTCOLOR =  1,2,3  \r\n"
        "textcolor=9,9,9\n"
        "; BackColor=0,0,0\n"
        "no equals sign\r"
        "[Category]\n"
        "WallPaper=\n"
        "[LIST]\n"
        "TextColor=7,7,7\n"
        "Long=  " +
        std::string(589, 'a') + "\xC3\xBC" + "\n";
    const IniText ini(text);
    EXPECT_EQ(ini.value("List", "TextColor"), "1,2,3");  // the mark skipped, the first kept
    EXPECT_FALSE(ini.value("List", "BackColor"));
    EXPECT_FALSE(ini.value("List", "no equals sign"));
    EXPECT_EQ(ini.value("category", "wallpaper"), "");
    EXPECT_EQ(ini.value("List", "Long")->size(), 589u);  // never half of the ü
    EXPECT_EQ(ini.valueOr("Detail", "x", "fallback"), "fallback");
    EXPECT_FALSE(IniText("TextColor=1,2,3\n").value("", "TextColor"));  // before any section
}

TEST(SkinLookTest, ColoursAreThreeNumbersUpTo255OrTheDefault) {
    EXPECT_EQ(parseSkinColour("255,128,0"), 0x0080FFu);
    EXPECT_EQ(parseSkinColour(" 1 , 2 ,3 "), 0x030201u);
    for (const char* bad :
         {"", "1,2", "1,2,3,4", "256,0,0", "-1,0,0", "a,b,c", "1,,3", "0x1,2,3"}) {
        EXPECT_FALSE(parseSkinColour(bad)) << bad;
    }
    const SkinLook look = readSkinLook(
        "[Category]\nBackColor=0,0,255\nTextColor=300,0,0\n"
        "[List]\nWallPaper=paper.png\n"
        "[DetailInfo]\nOddLine=1,0,0\nevenLine=0,2,0\n",
        "/skins/");
    EXPECT_EQ(look.tree, (PaneLook{0x000000, 0xFF0000, ""}));  // a bad colour gives the default
    EXPECT_EQ(look.list, (PaneLook{0x000000, 0xFFFFFF, "/skins/paper.png"}));
    EXPECT_EQ(look.detail, (PaneLook{0x000001, 0xFFFFFF, ""}));
    EXPECT_EQ(look.detailEvenText, 0x000200u);
    EXPECT_EQ(readSkinLook("", "/skins/"), SkinLook{});  // a missing file: the defaults

    AppSettings settings;
    settings.OddText = 0x11, settings.EvenText = 0x22, settings.DetailBK = 0x33;
    const SkinLook none = noneLook(settings);
    EXPECT_EQ(none.tree, PaneLook{});
    EXPECT_EQ(none.detail, (PaneLook{0x11, 0x33, ""}));
    EXPECT_EQ(none.detailEvenText, 0x22u);
}

TEST(SkinLookTest, SkinsAreIniFilesInAnyCaseSortedAndTheChoiceFollowsTheName) {
    std::vector<SkinFolderEntry> entries = {
        {"..", false},         {"Zebra.INI", true},  {"notes.txt", true}, {".", false},
        {"folder.ini", false}, {"autumn.ini", true}, {".ini", true},      {"noext", true}};
    const std::vector<std::string> names = skinNames(entries);
    EXPECT_EQ(names, (std::vector<std::string>{"autumn", "Zebra"}));
    entries.clear();
    for (int i = 0; i < 120; ++i) {
        entries.push_back({"s" + std::to_string(1000 + i) + ".ini", true});
    }
    EXPECT_EQ(skinNames(entries).size(), kMaxSkins);

    EXPECT_EQ(chooseSkin(1, "Zebra", names), 2u);  // the name wins over a stale number
    EXPECT_EQ(chooseSkin(2, "gone", names), 0u);
    EXPECT_EQ(chooseSkin(2, "", names), 2u);  // settings without a name
    EXPECT_EQ(chooseSkin(3, "", names), 0u);  // beyond the list
}

}  // namespace
}  // namespace lh::settings

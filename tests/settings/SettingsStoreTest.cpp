#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/MemorySettingsBackend.h"

namespace lh::settings {
namespace {

using Kind = ColumnLayout::Kind;

class SettingsStoreTest : public ::testing::Test {
protected:
    test::MemorySettingsBackend backend;
    SettingsStore store{backend};
    AppSettings s;
};

TEST_F(SettingsStoreTest, FirstRunWritesBackEveryDefaultAndCloseWritesAgainInItsOrder) {
    store.readAtStart(s);
    EXPECT_EQ(s, AppSettings{});
    EXPECT_EQ(backend.writes.size(), 33u);                     // every number, each once
    EXPECT_EQ(backend.dword("General", "AutoSaveTime"), 17u);  // stored in minutes, read in seconds

    // Close writes every value again, in its order.
    const auto firstRun = backend.keys;
    backend.keys.clear();
    backend.writes.clear();
    store.writeAtClose(s, "/home/a/b.lhd", {{0, 32789, 4, 0, 0, 0}}, {{}, {}, WindowPlacement{}});
    for (const auto& [key, values] : firstRun) {
        for (const auto& [name, value] : values) {
            EXPECT_EQ(backend.keys[key][name], value) << name;
        }
    }
    auto at = backend.writes.begin();
    for (const char* name :
         {"General/GeneralCheck", "DownSet/OrderOne", "DataFile/Remotefile", "General/OtherFlag",
          "General/WDropX", "Default/RmdCheck", "Default/URLNormal", "Default/FileNormal",
          "Color/Alpha", "LinkCheck/LinkCheckConnect", "General/skin", "ToolBar/Button",
          "Main/winlayout"}) {
        at = std::find(at, backend.writes.end(), name);
        EXPECT_NE(at, backend.writes.end()) << name << " not written after the one before";
    }
    EXPECT_FALSE(backend.wasWritten("Default/RemindSound"));  // empty: not written

    // At the end of the session the skin is not written, nor an empty data file.
    test::MemorySettingsBackend other;
    SettingsStore(other).writeAtClose(s, "", {}, {}, true);
    EXPECT_FALSE(other.wasWritten("General/skin"));
    EXPECT_FALSE(other.wasWritten("DataFile/Remotefile"));
    EXPECT_TRUE(other.wasWritten("Color/Detailpic"));
}
TEST_F(SettingsStoreTest, CorrectsReadValuesWithoutWritingThemBack) {
    // Each of these reads as its default; RmdNormal1 and AutoSaveTime are judged at full width,
    // not narrowed into a small valid-looking number first.
    const std::vector<std::pair<std::string, std::uint32_t>> stored = {
        {"General/AutoSaveTime", 1},
        {"General/WDropX", 0xFFFFFFFBu},
        {"Default/RmdHour", 24},
        {"Default/RmdMinute", 60},
        {"Default/URLNormal", 0},
        {"Default/FileNormal", 6},
        {"Default/FileNormal1", 1},
        {"Default/RmdNormal1", 0x10001},
        {"Default/URLNormal1", 0},
        {"Color/Alpha", 300},
        {"General/GeneralCheck", 0x10000 | 0x70E6}};
    for (const auto& [name, value] : stored) {
        const auto slash = name.find('/');
        backend.keys[name.substr(0, slash)][name.substr(slash + 1)] = value;
    }
    store.readAtStart(s);
    EXPECT_EQ(s.WDropX, 2);
    s.WDropX = 6;
    EXPECT_EQ(s, AppSettings{});
    for (const auto& [name, value] : stored) {
        EXPECT_FALSE(backend.wasWritten(name)) << name;
    }
    for (std::uint32_t minutes : {1081u, 0x10000u + 5, 1080u}) {
        backend.keys["General"]["AutoSaveTime"] = minutes;
        store.readGeneral(s);
        EXPECT_EQ(s.AutoSaveTime, minutes == 1080 ? 64800 : 1020) << minutes;  // 16 bits
    }
    // The next close writes the corrected values, but never a negative DropZone position.
    s.WDropX = -30;
    store.writeAtClose(s, "", {}, {});
    EXPECT_EQ(backend.dword("General", "WDropX"), 0xFFFFFFFBu);
    EXPECT_EQ(backend.dword("Default", "RmdHour"), 7u);
}
TEST_F(SettingsStoreTest, LinkCheckLimitsAreClampedAndPrivateAddressesNeedAPlainOne) {
    auto& key = backend.keys["LinkCheck"];
    key["LinkCheckConnect"] = 0u;           // no wait at all: the least
    key["LinkCheckTotal"] = 0xFFFFFFFFu;    // the most
    key["LinkCheckInFlight"] = 100000u;     // would flood the network
    key["LinkCheckPerHost"] = 0x102u;       // judged at full width, not as 2
    key["LinkCheckFreshDays"] = 0u;         // 0 checks everything again
    key["LinkCheckPrivate"] = 0xFFFFFFFFu;  // not a plain "yes"
    store.readLinkCheck(s);
    EXPECT_EQ(s.LinkCheckConnect, 1);
    EXPECT_EQ(s.LinkCheckTotal, 300);
    EXPECT_EQ(s.LinkCheckInFlight, 512);
    EXPECT_EQ(s.LinkCheckPerHost, 8);
    EXPECT_EQ(s.LinkCheckFreshDays, 0);
    EXPECT_FALSE(s.LinkCheckPrivate);
    key["LinkCheckPrivate"] = 1u;
    store.readLinkCheck(s);
    EXPECT_TRUE(s.LinkCheckPrivate);
}
TEST_F(SettingsStoreTest, DailyBackupHasItsOwnSwitchStartedFromTheDropZoneBit) {
    backend.keys["General"]["GeneralCheck"] = 0x70E6u & ~0x20u;  // DropZone hidden
    store.readGeneral(s);
    EXPECT_FALSE(s.AutoBackup);
    EXPECT_EQ(backend.dword("General", "AutoBackup"), 0u);

    // Once stored, the switch no longer follows the DropZone.
    backend.keys["General"]["AutoBackup"] = 1u;
    store.readGeneral(s);
    EXPECT_TRUE(s.AutoBackup);
    EXPECT_FALSE(s.GeneralCheck.dropZoneShown());
    s.GeneralCheck.setDropZoneShown(true);
    s.AutoBackup = false;
    store.writeGeneral(s);
    EXPECT_EQ(backend.dword("General", "GeneralCheck"), 0x70E6u);
    EXPECT_EQ(backend.dword("General", "AutoBackup"), 0u);
}

TEST_F(SettingsStoreTest, FlagWordsNameTheirBits) {
    GeneralFlags g{0};
    g.setGridLines(true);
    g.setToolbarText(true);
    g.setShowDetail(true);
    EXPECT_EQ(g.value, 0x0C04);
    OtherFlags o;
    o.setUrlDoubleClick(2);
    o.setMinimizeOnClose(false);
    EXPECT_EQ(o.value, 0x000C249Fu);  // other bits kept
}

TEST_F(SettingsStoreTest, UnusableLayoutsRevertToTheirDefaults) {
    ColumnLayout custom = ColumnLayout::defaults(Kind::Url);
    std::swap(custom.order[0], custom.order[5]);
    custom.entries[2].visible = 0;
    custom.entries[3].width = 333;
    AppSettings written;
    written.layout(Kind::Url) = custom;
    store.writeLayouts(written);
    const auto bytes = [&](const char* name) -> Bytes& {
        return std::get<Bytes>(backend.keys["DownSet"][name]);
    };
    EXPECT_EQ(bytes("OrderOne").size(), 30u);
    EXPECT_EQ(bytes("SaveFour").size(), 60u);
    bytes("SaveTwo")[1] = 99;  // a changed width, but one byte short
    bytes("SaveTwo").pop_back();
    bytes("OrderThree")[2] = 0;  // entry 0 twice
    for (std::size_t i = 0; i < 9; ++i) {
        bytes("SaveFour")[4 * i + 3] = 0;  // no used column visible
    }
    store.readLayouts(s);
    EXPECT_EQ(s.layout(Kind::Url), custom);
    for (Kind kind : {Kind::File, Kind::Remind, Kind::Mixed}) {
        EXPECT_EQ(s.layout(kind), ColumnLayout::defaults(kind));
    }

    ColumnLayout outOfRange = ColumnLayout::defaults(Kind::File);
    outOfRange.order[6] = 7;  // File uses 7 entries: 0..6
    EXPECT_FALSE(outOfRange.isUsable(Kind::File));
    outOfRange.order[6] = 6;
    outOfRange.order[7] = 99;  // beyond the used entries: not checked
    EXPECT_TRUE(outOfRange.isUsable(Kind::File));
}

TEST_F(SettingsStoreTest, FindHistoryShiftsOnlyWhenAllTenAreTaken) {
    std::vector<std::string> texts;
    for (int n = 1; n <= 11; ++n) {
        texts.push_back("text" + std::to_string(n));
        store.addFindText(texts.back());
    }
    EXPECT_EQ(backend.writes.size(), 20u);  // one each for ten, then ten to shift and add
    EXPECT_EQ(store.readFindHistory(), std::vector<std::string>(texts.begin() + 1, texts.end()));
    // Reading stops at the first gap; long texts are cut to 255 bytes.
    backend.keys["FindStr"].erase("List4");
    backend.keys["FindStr"]["List1"] = std::string(300, 'x');
    EXPECT_EQ(store.readFindHistory(),
              (std::vector<std::string>{std::string(255, 'x'), "text3", "text4"}));
}

// Which records decode (whole ones, at most 50) is the toolbar fuzz replay's to prove.
TEST_F(SettingsStoreTest, ToolbarButtonsAreStoredAsRecordsAndOnlyKnownOnesRead) {
    const auto known = [](const ToolbarButton& b) {
        return b.command == 32789 || b.command == 57665;
    };
    EXPECT_FALSE(store.readButtons(known));  // nothing stored, key not created
    EXPECT_EQ(backend.keys.count("ToolBar"), 0u);

    const std::vector<ToolbarButton> buttons = {
        {0, 32789, 4, 0, 0, 0}, {0, 0, 4, 1, 0, -1}, {9, 57665, 4, 0, 7, 9}, {3, 1234, 4, 0, 0, 3}};
    store.writeButtons(buttons);
    const Bytes bytes = std::get<Bytes>(backend.keys["ToolBar"]["Button"]);
    ASSERT_EQ(bytes.size(), 80u);
    EXPECT_EQ(bytes[4], 0x15);  // 32789 = 0x8015, little-endian
    EXPECT_EQ(bytes[29], 1);    // the separator's style

    auto read = store.readButtons(known);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 3u);  // the unknown command 1234 is skipped
    EXPECT_EQ((*read)[2], buttons[2]);
    EXPECT_TRUE((*read)[1].isSeparator());
}

// The fields' order is WindowLayoutTest's to prove, their signs and padding the window-layout
// fuzz replay's; here: what is refused and where the fields' room ends.
TEST_F(SettingsStoreTest, WindowLayoutTextsAndPlacement) {
    EXPECT_FALSE(PaneRect::parse("001704200020060"));
    EXPECT_FALSE(PaneRect::parse("0017 42000200600"));
    EXPECT_FALSE(PaneRect::parse("00170420002006-0"));
    EXPECT_EQ((PaneRect{-5, 9999, 0, 1}.format()), "-005999900000001");
    EXPECT_FALSE((PaneRect{0, 10000, 0, 0}.format()));

    EXPECT_FALSE(store.readLayout().placement);
    WindowPlacement minimised;
    minimised.showState = WindowPlacement::kShowMinimized;
    minimised.left = -30;
    store.writeLayout({PaneRect{0, 12000, 0, 100}, PaneRect{1, 2, 3, 4}, minimised});
    EXPECT_EQ(std::get<Bytes>(backend.keys["Main"]["winlayout"]).at(8), 2);  // minimised
    EXPECT_EQ(std::get<std::string>(backend.keys["Main"]["FormEx"]), "");

    const MainLayout read = store.readLayout();
    EXPECT_FALSE(read.treePane);  // too wide for its text: the default layout is used
    EXPECT_EQ(read.detailPane, (PaneRect{1, 2, 3, 4}));
    ASSERT_TRUE(read.placement);
    EXPECT_EQ(read.placement->showState, WindowPlacement::kShowNormal);
    EXPECT_EQ(read.placement->left, -30);
    EXPECT_EQ(read.placement->bottom, 400);
}

TEST_F(SettingsStoreTest, StringsAreCutAndTrimmedAndFoldersSurviveAnEmptyShellAnswer) {
    backend.keys["General"]["Defbrowser"] = "  firefox --new-tab  " + std::string(800, ' ');
    backend.keys["Color"]["Detailpic"] = std::string("  /home/a/Favorites \t");
    backend.keys["Default"]["RemindSound"] = std::string(2100, 's');
    store.readAtStart(s);
    EXPECT_EQ(s.Defbrowser, "firefox --new-tab");
    EXPECT_EQ(s.FavoritesFolder, "/home/a/Favorites");
    EXPECT_EQ(s.RemindSound.size(), 2000u);

    for (const std::string answer : {"   ", "C:\\Users\\a\\Favorites"}) {
        backend.userStrings
            ["Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders/Favorites"] =
            answer;
        store.readFavoritesFolder(s);
        EXPECT_EQ(s.FavoritesFolder, answer == "   " ? "/home/a/Favorites" : answer);
    }
}

TEST_F(SettingsStoreTest, UnopenableKeysLeaveFieldsAlone) {
    backend.refused = {"General", "Color"};
    s.AutoSaveTime = 600;
    s.OddText = 0x123;
    store.readAtStart(s);
    store.writeAtClose(s, "/a/b.lhd", {}, {});
    EXPECT_EQ(s.AutoSaveTime, 600);
    EXPECT_EQ(s.OddText, 0x123u);
    for (const auto& w : backend.writes) {
        EXPECT_NE(w.rfind("General/", 0), 0u) << w;
        EXPECT_NE(w.rfind("Color/", 0), 0u) << w;
    }
}

TEST_F(SettingsStoreTest, RemotefileUnderTwoHundredBytes) {
    EXPECT_FALSE(store.readRemotefile());
    store.writeRemotefile("");
    EXPECT_TRUE(backend.writes.empty());
    const std::string ok = "/" + std::string(198, 'a');
    store.writeRemotefile(ok);
    EXPECT_EQ(store.readRemotefile(), ok);
    store.writeRemotefile(ok + "b");
    EXPECT_FALSE(store.readRemotefile());
}

}  // namespace
}  // namespace lh::settings

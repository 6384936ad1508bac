#include "commands/OptionsForm.h"

#include <gtest/gtest.h>

#include <limits>

#include "settings/AppSettings.h"

namespace lh::commands {
namespace {

TEST(OptionsFormTest, LeavingGeneralChecksTheIntervalOnlyWhenAutosaveIsTicked) {
    EXPECT_EQ(leadingNumber("  12abc"), 12);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("-5"), -5);
    EXPECT_EQ(leadingNumber(std::string(40, '9')), std::numeric_limits<long>::max());

    settings::AppSettings s;
    GeneralPage page = generalPageOf(s);
    page.startMinimized = true;
    page.dailyBackup = !s.AutoBackup;
    page.sizeInBytes = !s.GeneralCheck.sizeInBytes();
    page.autoSave = true;
    const settings::AppSettings before = s;
    for (const char* bad : {"1", "1081", "abc", "", "99999999999999999999999"}) {
        page.minutes = bad;
        EXPECT_EQ(leaveGeneralPage(page, s), LeaveOutcome::BadMinutes) << bad;
        // The boxes before the interval are applied; nothing after it.
        EXPECT_TRUE(s.GeneralCheck.startMinimized());
        EXPECT_NE(s.AutoBackup, before.AutoBackup);
        EXPECT_EQ(s.GeneralCheck.sizeInBytes(), before.GeneralCheck.sizeInBytes());
        EXPECT_EQ(s.AutoSaveTime, before.AutoSaveTime);
    }
    EXPECT_EQ(s.GeneralCheck.dropZoneShown(), before.GeneralCheck.dropZoneShown());
    page.minutes = "1080";
    page.browser = "  firefox --new-tab  " + std::string(800, 'x');
    EXPECT_EQ(leaveGeneralPage(page, s), LeaveOutcome::Left);
    EXPECT_EQ(s.AutoSaveTime, 1080 * 60);
    EXPECT_TRUE(s.GeneralCheck.autoSave());
    EXPECT_NE(s.GeneralCheck.sizeInBytes(), before.GeneralCheck.sizeInBytes());
    EXPECT_EQ(s.Defbrowser.size(), kMaxBrowserCommand);
    EXPECT_EQ(s.Defbrowser.rfind("firefox --new-tab ", 0), 0u);
    EXPECT_EQ(generalPageOf(s).minutes, "1080");

    page.autoSave = false;
    page.minutes = "abc";  // ignored without autosave
    EXPECT_EQ(leaveGeneralPage(page, s), LeaveOutcome::Left);
    EXPECT_FALSE(s.GeneralCheck.autoSave());
    EXPECT_EQ(s.AutoSaveTime, 17 * 60);
}

TEST(OptionsFormTest, GraphResetsApplyAtOnceAndLeavingGivesTheLinesTheDetailBackground) {
    settings::AppSettings s;
    s.EvenBK = 0x123456;
    s.Flag = 0x06;
    resetDetailColours(s);
    EXPECT_EQ(s.OddBK, 0xC0C0C0u);
    EXPECT_EQ(s.EvenBK, 0x123456u);  // not the detail colours'
    resetClockColours(s);
    EXPECT_EQ(s.SecondColor, 0x0000FFu);

    GraphPage page = graphPageOf(s);
    page.detailBackground = 0xABCDEF;
    page.hourHand = 0x010203;
    page.transparentDropZone = true;
    leaveGraphPage(page, s);
    EXPECT_EQ(s.OddBK, 0xABCDEFu);
    EXPECT_EQ(s.EvenBK, 0xABCDEFu);
    EXPECT_EQ(s.HourColor, 0x010203u);
    EXPECT_EQ(s.Flag, 0x07);  // the other bits kept
    page.transparentDropZone = false;
    leaveGraphPage(page, s);
    EXPECT_EQ(s.Flag, 0x06);
}

TEST(OptionsFormTest, OtherEntriesPickOneDoubleClickActionAndToggleTheWindowBoxes) {
    settings::AppSettings s;
    s.OtherFlag.setUrlDoubleClick(3);  // stored 3 reads as browse
    EXPECT_TRUE(otherEntryMarked(OtherEntry::BrowseUrl, s));
    clickOtherEntry(OtherEntry::Comment, s);
    EXPECT_EQ(s.OtherFlag.urlDoubleClick(), 1);
    EXPECT_FALSE(otherEntryMarked(OtherEntry::BrowseUrl, s));
    clickOtherEntry(OtherEntry::Property, s);
    EXPECT_EQ(s.OtherFlag.urlDoubleClick(), 0);
    clickOtherEntry(OtherEntry::BrowseUrl, s);
    EXPECT_EQ(s.OtherFlag.urlDoubleClick(), 2);
    const settings::OtherFlags before = s.OtherFlag;
    clickOtherEntry(OtherEntry::HideWhenMinimized, s);
    EXPECT_NE(otherEntryMarked(OtherEntry::HideWhenMinimized, s), before.hideWhenMinimized());
    clickOtherEntry(OtherEntry::HideWhenMinimized, s);
    clickOtherEntry(OtherEntry::MinimizeOnClose, s);
    clickOtherEntry(OtherEntry::MinimizeOnClose, s);
    EXPECT_EQ(s.OtherFlag, before);  // twice is as before
}

}  // namespace
}  // namespace lh::commands

#include "commands/OptionsForm.h"

#include <limits>

#include "settings/AppSettings.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::commands {

const std::string_view kBrowserHelpText =
    "you can keep this field is empty,if this field is empty the Linkhaven use default browser "
    "open url,otherwise Linkhaven use this field character string open url.If you are using a "
    "long filename that contains a space, use quoted strings to indicate where the filename ends "
    "and the arguments begin. example \"/opt/My Browser/browser\" --new-window ";

GeneralPage generalPageOf(const settings::AppSettings& settings) {
    const settings::GeneralFlags& flags = settings.GeneralCheck;
    return {flags.startMinimized(), flags.fileMustExist(),
            settings.AutoBackup,    flags.sizeInBytes(),
            flags.autoSave(),       std::to_string(settings.AutoSaveTime / 60),
            settings.Defbrowser};
}

long leadingNumber(std::string_view text) {
    text = text::trimLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr long kMax = std::numeric_limits<long>::max();
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        const long digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

LeaveOutcome leaveGeneralPage(const GeneralPage& page, settings::AppSettings& settings) {
    settings::GeneralFlags& flags = settings.GeneralCheck;
    flags.setStartMinimized(page.startMinimized);
    flags.setFileMustExist(page.fileMustExist);
    settings.AutoBackup = page.dailyBackup;
    if (page.autoSave) {
        const long minutes = leadingNumber(page.minutes);
        if (minutes < kMinAutosaveMinutes || minutes > kMaxAutosaveMinutes) {
            return LeaveOutcome::BadMinutes;
        }
        flags.setAutoSave(true);
        settings.AutoSaveTime = static_cast<std::uint16_t>(minutes * 60);
    } else {
        flags.setAutoSave(false);
        settings.AutoSaveTime = kAutosaveOffSeconds;
    }
    flags.setSizeInBytes(page.sizeInBytes);
    // Cut as the settings keep it, so that what is shown now is what the next start reads.
    const std::string_view browser =
        text::trimTrailingBlanks(text::trimLeadingBlanks(page.browser));
    settings.Defbrowser = std::string(text::cutUtf8(browser, kMaxBrowserCommand));
    return LeaveOutcome::Left;
}

GraphPage graphPageOf(const settings::AppSettings& settings) {
    return {settings.OddText,         settings.EvenText,    settings.DetailBK,
            settings.HourColor,       settings.MinuteColor, settings.SecondColor,
            (settings.Flag & 1u) != 0};
}

void leaveGraphPage(const GraphPage& page, settings::AppSettings& settings) {
    settings.OddText = page.oddText;
    settings.EvenText = page.evenText;
    settings.OddBK = settings.EvenBK = settings.DetailBK = page.detailBackground;
    settings.HourColor = page.hourHand;
    settings.MinuteColor = page.minuteHand;
    settings.SecondColor = page.secondHand;
    settings.Flag =
        static_cast<std::uint8_t>((settings.Flag & ~1u) | (page.transparentDropZone ? 1u : 0u));
}

void resetDetailColours(settings::AppSettings& settings) {
    settings.OddText = 0x6600FF;
    settings.OddBK = 0xC0C0C0;
    settings.EvenText = 0x993300;
    settings.DetailBK = 0xFFFFFF;  // EvenBK stays
}

void resetClockColours(settings::AppSettings& settings) {
    settings.HourColor = settings.MinuteColor = 0x5E5E5E;
    settings.SecondColor = 0x0000FF;
}

void clickOtherEntry(OtherEntry entry, settings::AppSettings& settings) {
    settings::OtherFlags& flags = settings.OtherFlag;
    switch (entry) {
        case OtherEntry::Property:
            flags.setUrlDoubleClick(0);
            break;
        case OtherEntry::Comment:
            flags.setUrlDoubleClick(1);
            break;
        case OtherEntry::BrowseUrl:
            flags.setUrlDoubleClick(2);
            break;
        case OtherEntry::HideWhenMinimized:
            flags.setHideWhenMinimized(!flags.hideWhenMinimized());
            break;
        case OtherEntry::MinimizeOnClose:
            flags.setMinimizeOnClose(!flags.minimizeOnClose());
            break;
    }
}

bool otherEntryMarked(OtherEntry entry, const settings::AppSettings& settings) {
    const settings::OtherFlags& flags = settings.OtherFlag;
    switch (entry) {
        case OtherEntry::Property:
            return flags.urlDoubleClick() == 0;
        case OtherEntry::Comment:
            return flags.urlDoubleClick() == 1;
        case OtherEntry::BrowseUrl:
            return flags.urlDoubleClick() >= 2;
        case OtherEntry::HideWhenMinimized:
            return flags.hideWhenMinimized();
        case OtherEntry::MinimizeOnClose:
            return flags.minimizeOnClose();
    }
    return false;
}

}  // namespace lh::commands

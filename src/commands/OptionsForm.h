#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lh::settings {
struct AppSettings;
}

namespace lh::commands {

// What the Options dialog's pages show and how leaving a page applies it. Each page applies its
// values when it is left (another page chosen, or OK on it); the Reset buttons and the clicks on
// the "Other" page apply at once; Cancel takes back nothing of what was applied.

// --- General -------------------------------------------------------------------------------------
struct GeneralPage {
    bool startMinimized = false;
    bool fileMustExist = false;
    bool dailyBackup = false;  // the backup's own switch, not the DropZone's visibility
    bool sizeInBytes = false;
    bool autoSave = false;
    std::string minutes;  // the autosave interval as typed
    std::string browser;  // the browser command line as typed
};

GeneralPage generalPageOf(const settings::AppSettings& settings);

// The autosave interval's bounds in minutes, and the one an unticked autosave keeps.
constexpr long kMinAutosaveMinutes = 2;
constexpr long kMaxAutosaveMinutes = 1080;
constexpr std::uint16_t kAutosaveOffSeconds = 17 * 60;
// The longest browser command line the settings keep.
constexpr std::size_t kMaxBrowserCommand = 700;

// The number a text starts with, as C's atol reads it (leading blanks, a sign, digits; none gives
// 0), held within the range of a long instead of overflowing.
long leadingNumber(std::string_view text);

enum class LeaveOutcome { Left, BadMinutes };
// Applies the page to `settings`. With autosave ticked and minutes outside 2..1080, only the three
// check boxes before it are applied and the page must stay (the caller shows kBadMinutesText).
LeaveOutcome leaveGeneralPage(const GeneralPage& page, settings::AppSettings& settings);
inline constexpr std::string_view kBadMinutesText = "Please enter an integer between 2 and 1080 ";

// The browser help text (a Linux example).
extern const std::string_view kBrowserHelpText;

// --- Graph ---------------------------------------------------------------------------------------
struct GraphPage {
    std::uint32_t oddText = 0;
    std::uint32_t evenText = 0;
    std::uint32_t detailBackground = 0;
    std::uint32_t hourHand = 0;
    std::uint32_t minuteHand = 0;
    std::uint32_t secondHand = 0;
    bool transparentDropZone = false;
};

GraphPage graphPageOf(const settings::AppSettings& settings);
// Both line colours are shown on the detail background, so leaving makes that their background.
void leaveGraphPage(const GraphPage& page, settings::AppSettings& settings);
// The two Reset buttons, applied at once.
void resetDetailColours(settings::AppSettings& settings);
void resetClockColours(settings::AppSettings& settings);

// --- Other ---------------------------------------------------------------------------------------
// The entries of the "Other" page's tree that do something when clicked.
enum class OtherEntry { Property, Comment, BrowseUrl, HideWhenMinimized, MinimizeOnClose };
// Applies a click at once.
void clickOtherEntry(OtherEntry entry, settings::AppSettings& settings);
// Whether the entry shows as selected (radio) or ticked (check box).
bool otherEntryMarked(OtherEntry entry, const settings::AppSettings& settings);

}  // namespace lh::commands

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/SettingsBackend.h"
#include "settings/SettingsTable.h"
#include "settings/ToolbarButton.h"
#include "settings/WindowLayout.h"

namespace lh::settings {

// Reads and writes AppSettings and the other stored values through a SettingsBackend, with the
// stored names, types, defaults and corrections of the settings table (SettingsTable.h). Every
// operation opens its key, does its work and closes the key again. A key that cannot be opened is
// skipped: the fields keep what they hold. Reading a missing number value writes its default back;
// values corrected on reading are used in memory and not written back.
class SettingsStore {
public:
    // Key paths below the program's own key.
    static constexpr std::string_view kGeneralKey = settings::kGeneralKey;
    static constexpr std::string_view kDefaultKey = settings::kDefaultKey;
    static constexpr std::string_view kDownSetKey = "DownSet";
    static constexpr std::string_view kColorKey = settings::kColorKey;
    static constexpr std::string_view kLinkCheckKey = settings::kLinkCheckKey;
    static constexpr std::string_view kFindStrKey = "FindStr";
    static constexpr std::string_view kMainKey = "Main";
    static constexpr std::string_view kToolBarKey = "ToolBar";
    static constexpr std::string_view kDataFileKey = "DataFile";
    static constexpr std::string_view kRemindersKey = "Reminders";
    // The most Find history entries kept.
    static constexpr int kFindHistorySize = 10;

    // `backend` must outlive the store.
    explicit SettingsStore(SettingsBackend& backend) : m_backend(backend) {}

    // --- The whole set -------------------------------------------------------------------------
    // Reads everything the main window needs before it is built, in the start-up order:
    // DownSet, WDropX/WDropY, General, OtherFlag, Default, URL defaults, File defaults, Color,
    // LinkCheck, the Favorites folder, skin. Missing number values are written back with their
    // defaults.
    void readAtStart(AppSettings& s);
    // Writes everything at close, in the close order: General, DownSet, Remotefile (only when
    // `dataFile` is not empty), OtherFlag, WDropX/WDropY, Default, URL and File defaults, Color,
    // LinkCheck, skin (unless `sessionEnd`), the toolbar buttons and the window layout.
    void writeAtClose(const AppSettings& s, const std::string& dataFile,
                      const std::vector<ToolbarButton>& buttons, const MainLayout& layout,
                      bool sessionEnd = false);

    // --- One group each ------------------------------------------------------------------------
    // The rows of one Setting::Group each (SettingsTable.cpp), in table order, through one
    // opening of their key.
    void readGeneral(AppSettings& s);
    void writeGeneral(const AppSettings& s);
    void readOtherFlag(AppSettings& s);
    void writeOtherFlag(const AppSettings& s);
    void readSkin(AppSettings& s);
    void writeSkin(const AppSettings& s);
    void readDropZonePosition(AppSettings& s);
    void writeDropZonePosition(const AppSettings& s);
    void readRemindDefaults(AppSettings& s);
    void writeRemindDefaults(const AppSettings& s);
    void readUrlDefaults(AppSettings& s);
    void writeUrlDefaults(const AppSettings& s);
    void readFileDefaults(AppSettings& s);
    void writeFileDefaults(const AppSettings& s);
    void readColors(AppSettings& s);
    void writeColors(const AppSettings& s);
    void readLinkCheck(AppSettings& s);
    void writeLinkCheck(const AppSettings& s);
    // The four column layouts; an unusable one reverts to its kind's default.
    void readLayouts(AppSettings& s);
    void writeLayouts(const AppSettings& s);
    // The shell's Favorites folder, where the platform has one; an empty answer keeps the
    // folder read from Detailpic.
    void readFavoritesFolder(AppSettings& s);

    // --- Other values --------------------------------------------------------------------------
    // `Remotefile`: the data file remembered between runs; nothing when missing or 200 bytes
    // or longer.
    std::optional<std::string> readRemotefile();
    // Stores `path` as `Remotefile`; an empty path is not written.
    void writeRemotefile(const std::string& path);
    // Writes `RmdLastCheck` now (it must survive a crash), not waiting for the close.
    void writeRemindLastCheck(const AppSettings& s);
    // The alarms kept for the next run (text the reminders encode); empty when none.
    std::string readPendingAlarms();
    void writePendingAlarms(std::string_view text);
    // The Find history, oldest first (List1, List2, ... up to the first missing one).
    std::vector<std::string> readFindHistory();
    // Adds `text` after the last entry; when all ten exist, List1 goes and the rest move down.
    void addFindText(std::string_view text);
    // The stored toolbar buttons that `known` accepts; nothing when none are stored or the value
    // is unusable (the default buttons are meant then). Does not create the key.
    std::optional<std::vector<ToolbarButton>> readButtons(
        const std::function<bool(const ToolbarButton&)>& known);
    void writeButtons(const std::vector<ToolbarButton>& buttons);
    // The window and pane layout (FormEx, ThdFormEx, winlayout). Does not create the key. A
    // placement saved hidden or minimised comes back shown.
    MainLayout readLayout();
    // Writes the present parts; a pane rectangle that does not fit its text is stored empty, so
    // that the next start uses the default layout.
    void writeLayout(const MainLayout& layout);
    // A text value (cut to 600 bytes) anywhere in the user's store, outside the program's key.
    std::optional<std::string> readUserString(std::string_view keyPath, std::string_view name);

private:
    SettingsBackend& m_backend;
};

}  // namespace lh::settings

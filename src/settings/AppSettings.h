#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/ColumnLayout.h"
#include "settings/GeneralFlags.h"
#include "settings/OtherFlags.h"

namespace lh::settings {

// Every user preference, read once at start by SettingsStore::readAtStart, changed in memory
// while the program runs and written back by SettingsStore::writeAtClose. The field names are
// the stored value names. The initial values are the defaults a first run writes.
struct AppSettings {
    // --- Key General ---------------------------------------------------------------------------
    GeneralFlags GeneralCheck;          // flag word (ShowDetail, AutoSave, GridLines, ...)
    std::uint16_t AutoSaveTime = 1020;  // autosave interval in seconds (stored as minutes)
    std::string Defbrowser;             // browser command line; empty = the system's browser
    OtherFlags OtherFlag;               // option flags (double-click actions, tray behaviour)
    std::uint16_t skin = 0;             // chosen skin, 0 = "None"
    std::int32_t WDropX = 6;            // DropZone left edge
    std::int32_t WDropY = 5;            // DropZone top edge
    // The daily backup's own switch. Stored beside GeneralCheck; when it is missing it starts
    // as GeneralCheck's DailyBackup bit (which keeps meaning the DropZone's visibility).
    bool AutoBackup = true;

    // --- Key Default ---------------------------------------------------------------------------
    std::uint16_t FindType = 0x0128;  // Find dialog state
    std::uint16_t RmdNormal1 = 3;     // default category id of a new Remind item
    std::uint8_t RmdNormal = 3;       // default rate of a new Remind item
    std::uint16_t RmdHour = 7;        // default remind hour
    std::uint16_t RmdMinute = 30;     // default remind minute
    std::uint16_t RmdCheck = 0x00FE;  // default schedule flags of a new Remind item
    std::string RemindSound;          // default alarm sound file
    std::uint16_t FileNormal1 = 2;    // default category id of a new File item
    std::uint8_t FileNormal = 3;      // default rate of a new File item
    std::uint16_t URLNormal1 = 1;     // default category id of a new URL item
    std::uint8_t URLNormal = 3;       // default rate of a new URL item

    // --- Key Color -----------------------------------------------------------------------------
    // Colours are 0x00BBGGRR.
    std::uint32_t OddText = 0x330000;      // detail pane: text of odd rows
    std::uint32_t OddBK = 0xB4F0C8;        // detail pane: background of odd rows
    std::uint32_t EvenText = 0x666600;     // detail pane: text of even rows
    std::uint32_t EvenBK = 0x78F078;       // detail pane: background of even rows
    std::uint32_t DetailBK = 0xFFFFFF;     // detail pane: background
    std::uint32_t HourColor = 0x5E5E5E;    // DropZone clock: hour hand
    std::uint32_t MinuteColor = 0x5E5E5E;  // DropZone clock: minute hand
    std::uint32_t SecondColor = 0x0000FF;  // DropZone clock: second hand
    std::uint8_t Flag = 2;                 // bit 0: the DropZone is translucent
    std::uint8_t Alpha = 128;              // DropZone opacity 0..255
    std::string FavoritesFolder;           // the Favorites folder; stored as Detailpic

    // --- Key DownSet: the column layouts of URL, File, Remind and mixed categories -------------
    std::array<ColumnLayout, 4> layouts = {ColumnLayout::defaults(ColumnLayout::Kind::Url),
                                           ColumnLayout::defaults(ColumnLayout::Kind::File),
                                           ColumnLayout::defaults(ColumnLayout::Kind::Remind),
                                           ColumnLayout::defaults(ColumnLayout::Kind::Mixed)};

    bool operator==(const AppSettings&) const = default;

    ColumnLayout& layout(ColumnLayout::Kind kind) {
        return layouts[static_cast<std::size_t>(kind)];
    }
    const ColumnLayout& layout(ColumnLayout::Kind kind) const {
        return layouts[static_cast<std::size_t>(kind)];
    }
};

}  // namespace lh::settings

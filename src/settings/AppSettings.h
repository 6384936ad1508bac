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
// the stored value names. Every field but `layouts` is a row of the settings table
// (SettingsTable.cpp), which holds its key, default and range; the constructor gives each field
// the table's default, which a first run writes.
struct AppSettings {
    AppSettings();  // in SettingsTable.cpp

    // --- Key General ---------------------------------------------------------------------------
    GeneralFlags GeneralCheck;     // flag word (ShowDetail, AutoSave, GridLines, ...)
    std::uint16_t AutoSaveTime{};  // autosave interval in seconds (stored as minutes)
    std::string Defbrowser;        // browser command line; empty = the system's browser
    OtherFlags OtherFlag;          // option flags (double-click actions, tray behaviour)
    std::uint16_t skin{};          // chosen skin, 0 = "None"
    std::string SkinName;          // the chosen skin's name (its file without ".ini")
    std::int32_t WDropX{};         // DropZone left edge
    std::int32_t WDropY{};         // DropZone top edge
    // The daily backup's own switch. Stored beside GeneralCheck; when it is missing it starts
    // as GeneralCheck's DailyBackup bit (which keeps meaning the DropZone's visibility).
    bool AutoBackup{};

    // --- Key Default ---------------------------------------------------------------------------
    std::uint16_t FindType{};     // Find dialog state
    std::uint16_t RmdNormal1{};   // default category id of a new Remind item
    std::uint8_t RmdNormal{};     // default rate of a new Remind item
    std::uint16_t RmdHour{};      // default remind hour
    std::uint16_t RmdMinute{};    // default remind minute
    std::uint16_t RmdCheck{};     // default schedule flags of a new Remind item
    std::string RemindSound;      // default alarm sound file
    std::string RmdLastCheck;     // last minute the reminders were checked, local, or empty
    std::uint16_t FileNormal1{};  // default category id of a new File item
    std::uint8_t FileNormal{};    // default rate of a new File item
    std::uint16_t URLNormal1{};   // default category id of a new URL item
    std::uint8_t URLNormal{};     // default rate of a new URL item

    // --- Key Color -----------------------------------------------------------------------------
    // Colours are 0x00BBGGRR.
    std::uint32_t OddText{};      // detail pane: text of odd rows
    std::uint32_t OddBK{};        // detail pane: background of odd rows
    std::uint32_t EvenText{};     // detail pane: text of even rows
    std::uint32_t EvenBK{};       // detail pane: background of even rows
    std::uint32_t DetailBK{};     // detail pane: background
    std::uint32_t HourColor{};    // DropZone clock: hour hand
    std::uint32_t MinuteColor{};  // DropZone clock: minute hand
    std::uint32_t SecondColor{};  // DropZone clock: second hand
    std::uint8_t Flag{};          // bit 0: the DropZone is translucent
    std::uint8_t Alpha{};         // DropZone opacity 0..255
    std::string FavoritesFolder;  // the Favorites folder; stored as Detailpic

    // --- Key LinkCheck: how links are checked ----------------------------------------------------
    std::uint16_t LinkCheckConnect{};    // seconds to wait for a connection
    std::uint16_t LinkCheckTotal{};      // seconds one request may take in all
    std::uint16_t LinkCheckInFlight{};   // requests under way at once, in all
    std::uint8_t LinkCheckPerHost{};     // requests under way at once to one host name
    std::uint16_t LinkCheckFreshDays{};  // links checked this many days ago or less are skipped
    bool LinkCheckPrivate{};             // private and local addresses are checked too

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

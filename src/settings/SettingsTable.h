#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/AppSettings.h"

namespace lh::settings {

// The keys, below the program's own key, that hold the table's values.
inline constexpr std::string_view kGeneralKey = "General";
inline constexpr std::string_view kDefaultKey = "Default";
inline constexpr std::string_view kColorKey = "Color";
inline constexpr std::string_view kLinkCheckKey = "LinkCheck";

// One row of the settings table: where an AppSettings field is stored, its default, and how a
// stored value is corrected on reading. The table (SettingsTable.cpp) is the only place that
// names a stored value or gives its default; AppSettings() takes the defaults from it,
// and SettingsStore reads and writes by it.
//
// Every AppSettings field but `layouts` is a row. The column layouts (key DownSet) are not: each
// is two binary values checked together, which SettingsStore reads and writes itself.
struct Setting {
    // The SettingsStore function pair that reads and writes the row (readGeneral and
    // writeGeneral, ...). Each opens its key once and goes through its rows in table order.
    enum class Group {
        General,
        OtherFlag,
        Skin,
        DropZonePosition,
        RemindDefaults,
        UrlDefaults,
        FileDefaults,
        Colors,
        LinkCheck
    };

    // How a stored value becomes the field's value, and back.
    enum class Rule {
        // Numbers, stored as 32-bit values; `def`, `lo` and `hi` are as stored. Reading a
        // missing number writes its default back. A corrected number is used in memory only.
        Range,     // lo..hi; any other number reads as `def`
        Clamped,   // lo..hi; a number outside reads as the nearer end
        Minutes,   // Range, stored in minutes; the field holds seconds
        Bits,      // a flag word or colour: the bits that fit the field (`hi`), kept as they are
        Position,  // a screen coordinate 0..hi: a negative one reads as 2 and is not written
        BackupSwitch,  // 0 or 1, any other number reads as 1; a missing one starts as
                       // GeneralCheck's DropZone bit, so GeneralCheck is read first
        // Texts, stored as strings and cut to `maxBytes` (whole UTF-8 characters). They start
        // empty.
        Text,           // a missing one reads as empty; an empty one is not written
        Trimmed,        // blanks trimmed after cutting; a missing one reads as empty
        TrimmedOrKept,  // blanks trimmed after cutting; a missing one leaves the field alone
    };

    // The AppSettings member the row stands for.
    using Field = std::variant<GeneralFlags AppSettings::*, OtherFlags AppSettings::*,
                               bool AppSettings::*, std::uint8_t AppSettings::*,
                               std::uint16_t AppSettings::*, std::uint32_t AppSettings::*,
                               std::int32_t AppSettings::*, std::string AppSettings::*>;

    std::string_view key;   // the key below the program's own key
    std::string_view name;  // the value name
    Group group;
    Field field;
    Rule rule;
    std::uint32_t def;  // numbers: the default, as stored
    std::uint32_t lo;   // numbers: the stored range
    std::uint32_t hi;
    std::size_t maxBytes;  // texts: the most bytes kept

    constexpr bool isText() const {
        return std::holds_alternative<std::string AppSettings::*>(field);
    }

    // --- Numbers ---------------------------------------------------------------------------------
    // The number the field is stored as (AutoSaveTime in minutes, AutoBackup as 0 or 1).
    std::uint32_t number(const AppSettings& s) const;
    // `stored` as reading corrects it: `def` for a number out of range, and so on by the rule.
    std::uint32_t corrected(std::uint32_t stored) const;
    // Gives the field the stored number `stored`, corrected.
    void setNumber(AppSettings& s, std::uint32_t stored) const;

    // --- Texts -----------------------------------------------------------------------------------
    const std::string& text(const AppSettings& s) const;
    // `stored` cut (and trimmed) by the rule.
    std::string correctedText(std::string_view stored) const;
    // Gives the field the text `stored`, corrected.
    void setText(AppSettings& s, std::string_view stored) const;
};

// The rows of one group, in their read and write order.
std::span<const Setting> settingsOf(Setting::Group group);
// The row of an AppSettings member; null when there is none.
const Setting* findSetting(const Setting::Field& field);

}  // namespace lh::settings

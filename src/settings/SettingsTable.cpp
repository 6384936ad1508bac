#include "settings/SettingsTable.h"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>

#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::settings {

namespace {

using Group = Setting::Group;
using Rule = Setting::Rule;
using S = AppSettings;

constexpr std::uint32_t kSecondsPerMinute = 60;
// Where a DropZone stored beyond the left or top edge is put.
constexpr std::uint32_t kPositionFallback = 2;

// --- The fields' types ---------------------------------------------------------------------------

template <typename M>
struct MemberType;
template <typename T>
struct MemberType<T AppSettings::*> {
    using Type = T;
};

// The largest number a field of type T holds.
template <typename T>
constexpr std::uint32_t largest() {
    if constexpr (std::is_same_v<T, GeneralFlags> || std::is_same_v<T, OtherFlags>) {
        return std::numeric_limits<decltype(T::value)>::max();
    } else if constexpr (std::is_same_v<T, bool>) {
        return 1;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return 0;
    } else {
        return static_cast<std::uint32_t>(std::numeric_limits<T>::max());
    }
}

constexpr std::uint32_t largestOf(const Setting::Field& field) {
    return std::visit(
        [](auto member) { return largest<typename MemberType<decltype(member)>::Type>(); }, field);
}

// A field's value as a 32-bit number; a negative coordinate as its two's complement.
template <typename T>
std::uint32_t toNumber(const T& v) {
    if constexpr (std::is_same_v<T, GeneralFlags> || std::is_same_v<T, OtherFlags>) {
        return v.value;
    } else if constexpr (std::is_same_v<T, bool>) {
        return v ? 1 : 0;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return 0;  // not a number row
    } else {
        return static_cast<std::uint32_t>(v);
    }
}

// Gives a field the number `v`, which fits it.
template <typename T>
void fromNumber(T& field, std::uint32_t v) {
    if constexpr (std::is_same_v<T, GeneralFlags> || std::is_same_v<T, OtherFlags>) {
        field.value = static_cast<decltype(T::value)>(v);
    } else if constexpr (std::is_same_v<T, bool>) {
        field = v != 0;
    } else if constexpr (!std::is_same_v<T, std::string>) {
        field = static_cast<T>(v);
    }
}

// --- Making rows ---------------------------------------------------------------------------------

constexpr std::string_view keyOf(Group group) {
    switch (group) {
        case Group::General:
        case Group::OtherFlag:
        case Group::Skin:
        case Group::DropZonePosition:
            return kGeneralKey;
        case Group::RemindDefaults:
        case Group::UrlDefaults:
        case Group::FileDefaults:
            return kDefaultKey;
        case Group::Colors:
            return kColorKey;
        case Group::LinkCheck:
            return kLinkCheckKey;
    }
    return {};
}

constexpr Setting number(Group group, std::string_view name, Setting::Field field, Rule rule,
                         std::uint32_t def, std::uint32_t lo, std::uint32_t hi) {
    return {keyOf(group), name, group, field, rule, def, lo, hi, 0};
}

constexpr Setting range(Group group, std::string_view name, Setting::Field field, std::uint32_t def,
                        std::uint32_t lo, std::uint32_t hi) {
    return number(group, name, field, Rule::Range, def, lo, hi);
}

constexpr Setting clamped(Group group, std::string_view name, Setting::Field field,
                          std::uint32_t def, std::uint32_t lo, std::uint32_t hi) {
    return number(group, name, field, Rule::Clamped, def, lo, hi);
}

// A flag word or colour: every number that fits the field.
constexpr Setting bits(Group group, std::string_view name, Setting::Field field,
                       std::uint32_t def) {
    return number(group, name, field, Rule::Bits, def, 0, largestOf(field));
}

constexpr Setting position(Group group, std::string_view name, Setting::Field field,
                           std::uint32_t def) {
    return number(group, name, field, Rule::Position, def, 0, largestOf(field));
}

constexpr Setting text(Group group, std::string_view name, Setting::Field field, Rule rule,
                       std::size_t maxBytes) {
    return {keyOf(group), name, group, field, rule, 0, 0, 0, maxBytes};
}

// --- The table -----------------------------------------------------------------------------------

constexpr auto kSettings = std::to_array<Setting>({
    // Key General.
    bits(Group::General, "GeneralCheck", &S::GeneralCheck, GeneralFlags::kDefault),
    // 1080 minutes is the most whose seconds fit the field.
    number(Group::General, "AutoSaveTime", &S::AutoSaveTime, Rule::Minutes, 17, 2, 1080),
    text(Group::General, "Defbrowser", &S::Defbrowser, Rule::TrimmedOrKept, 700),
    number(Group::General, "AutoBackup", &S::AutoBackup, Rule::BackupSwitch, 1, 0, 1),
    bits(Group::OtherFlag, "OtherFlag", &S::OtherFlag, OtherFlags::kDefault),
    bits(Group::Skin, "skin", &S::skin, 0),
    // The chosen skin's name, which outlasts changes to the folder that renumber the skins.
    text(Group::Skin, "SkinName", &S::SkinName, Rule::TrimmedOrKept, 255),
    position(Group::DropZonePosition, "WDropX", &S::WDropX, 6),
    position(Group::DropZonePosition, "WDropY", &S::WDropY, 5),

    // Key Default.
    bits(Group::RemindDefaults, "RmdCheck", &S::RmdCheck, 0x00FE),
    bits(Group::RemindDefaults, "FindType", &S::FindType, 0x0128),
    range(Group::RemindDefaults, "RmdHour", &S::RmdHour, 7, 0, 23),
    range(Group::RemindDefaults, "RmdMinute", &S::RmdMinute, 30, 0, 59),
    range(Group::RemindDefaults, "RmdNormal", &S::RmdNormal, 3, 1, 5),
    range(Group::RemindDefaults, "RmdNormal1", &S::RmdNormal1, 3, 3, 0xFFFF),
    text(Group::RemindDefaults, "RemindSound", &S::RemindSound, Rule::Text, 2000),
    text(Group::RemindDefaults, "RmdLastCheck", &S::RmdLastCheck, Rule::Text, 16),
    range(Group::UrlDefaults, "URLNormal", &S::URLNormal, 3, 1, 5),
    range(Group::UrlDefaults, "URLNormal1", &S::URLNormal1, 1, 1, 0xFFFF),
    range(Group::FileDefaults, "FileNormal", &S::FileNormal, 3, 1, 5),
    range(Group::FileDefaults, "FileNormal1", &S::FileNormal1, 2, 2, 0xFFFF),

    // Key Color.
    range(Group::Colors, "Alpha", &S::Alpha, 128, 0, 255),
    bits(Group::Colors, "Flag", &S::Flag, 2),
    bits(Group::Colors, "OddText", &S::OddText, 0x330000),
    bits(Group::Colors, "OddBK", &S::OddBK, 0xB4F0C8),
    bits(Group::Colors, "EvenText", &S::EvenText, 0x666600),
    bits(Group::Colors, "EvenBK", &S::EvenBK, 0x78F078),
    bits(Group::Colors, "DetailBK", &S::DetailBK, 0xFFFFFF),
    bits(Group::Colors, "HourColor", &S::HourColor, 0x5E5E5E),
    bits(Group::Colors, "MinuteColor", &S::MinuteColor, 0x5E5E5E),
    bits(Group::Colors, "SecondColor", &S::SecondColor, 0x0000FF),
    text(Group::Colors, "Detailpic", &S::FavoritesFolder, Rule::Trimmed, 1000),

    // Key LinkCheck.
    clamped(Group::LinkCheck, "LinkCheckConnect", &S::LinkCheckConnect, 10, 1, 120),
    clamped(Group::LinkCheck, "LinkCheckTotal", &S::LinkCheckTotal, 20, 1, 300),
    clamped(Group::LinkCheck, "LinkCheckInFlight", &S::LinkCheckInFlight, 128, 1, 512),
    clamped(Group::LinkCheck, "LinkCheckPerHost", &S::LinkCheckPerHost, 2, 1, 8),
    clamped(Group::LinkCheck, "LinkCheckFreshDays", &S::LinkCheckFreshDays, 7, 0, 3650),
    // Anything but 1 keeps private addresses out.
    range(Group::LinkCheck, "LinkCheckPrivate", &S::LinkCheckPrivate, 0, 0, 1),
});

// --- What the table must be ----------------------------------------------------------------------

constexpr bool isTextRule(Rule rule) {
    return rule == Rule::Text || rule == Rule::Trimmed || rule == Rule::TrimmedOrKept;
}

consteval bool namesAndFieldsAreUnique() {
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        for (std::size_t j = i + 1; j < kSettings.size(); ++j) {
            if (kSettings[i].name == kSettings[j].name ||
                kSettings[i].field == kSettings[j].field) {
                return false;
            }
        }
    }
    return true;
}

consteval bool rulesFitFields() {
    for (const Setting& row : kSettings) {
        if (row.isText() != isTextRule(row.rule)) {
            return false;
        }
        if (row.isText()) {
            if (row.maxBytes == 0) {
                return false;
            }
            continue;
        }
        const std::uint32_t most = largestOf(row.field);
        const bool fits =
            row.rule == Rule::Minutes ? row.hi <= most / kSecondsPerMinute : row.hi <= most;
        if (!fits || row.lo > row.def || row.def > row.hi) {
            return false;
        }
    }
    return true;
}

// Each group's rows stand together, and every group has some.
consteval bool groupsAreWhole() {
    for (int g = 0; g <= static_cast<int>(Group::LinkCheck); ++g) {
        const auto group = static_cast<Group>(g);
        std::size_t runs = 0;
        for (std::size_t i = 0; i < kSettings.size(); ++i) {
            if (kSettings[i].group == group && (i == 0 || kSettings[i - 1].group != group)) {
                ++runs;
            }
        }
        if (runs != 1) {
            return false;
        }
    }
    return true;
}

static_assert(namesAndFieldsAreUnique(), "a value name or field in two rows");
static_assert(rulesFitFields(), "a rule that does not fit its field, or a default out of range");
static_assert(groupsAreWhole(), "a group's rows apart, or a group without rows");

}  // namespace

// --- Rows ----------------------------------------------------------------------------------------

std::uint32_t Setting::number(const AppSettings& s) const {
    const std::uint32_t held = std::visit([&](auto member) { return toNumber(s.*member); }, field);
    return rule == Rule::Minutes ? held / kSecondsPerMinute : held;
}

std::uint32_t Setting::corrected(std::uint32_t stored) const {
    switch (rule) {
        case Rule::Range:
        case Rule::Minutes:
            return stored < lo || stored > hi ? def : stored;
        case Rule::Clamped:
            return std::clamp(stored, lo, hi);
        case Rule::Bits:
            return stored & hi;
        case Rule::Position:
            return stored > hi ? kPositionFallback : stored;  // negative as a 32-bit number
        case Rule::BackupSwitch:
            return stored != 0 ? 1 : 0;
        case Rule::Text:
        case Rule::Trimmed:
        case Rule::TrimmedOrKept:
            break;
    }
    return stored;
}

void Setting::setNumber(AppSettings& s, std::uint32_t stored) const {
    std::uint32_t v = corrected(stored);
    if (rule == Rule::Minutes) {
        v *= kSecondsPerMinute;
    }
    std::visit([&](auto member) { fromNumber(s.*member, v); }, field);
}

const std::string& Setting::text(const AppSettings& s) const {
    return s.*std::get<std::string AppSettings::*>(field);
}

std::string Setting::correctedText(std::string_view stored) const {
    const std::string_view cut = text::cutUtf8(stored, maxBytes);
    return std::string(rule == Rule::Text ? cut : text::trimBlanks(cut));
}

void Setting::setText(AppSettings& s, std::string_view stored) const {
    s.*std::get<std::string AppSettings::*>(field) = correctedText(stored);
}

// --- The table -----------------------------------------------------------------------------------

std::span<const Setting> settingsOf(Setting::Group group) {
    const auto inGroup = [group](const Setting& row) { return row.group == group; };
    const auto first = std::find_if(kSettings.begin(), kSettings.end(), inGroup);
    const auto last = std::find_if_not(first, kSettings.end(), inGroup);
    return {first, last};
}

const Setting* findSetting(const Setting::Field& field) {
    const auto it = std::find_if(kSettings.begin(), kSettings.end(),
                                 [&field](const Setting& row) { return row.field == field; });
    return it == kSettings.end() ? nullptr : &*it;
}

// The defaults: every number row's, through the same correction as a stored number; the texts
// start empty.
AppSettings::AppSettings() {
    for (const Setting& row : kSettings) {
        if (!row.isText()) {
            row.setNumber(*this, row.def);
        }
    }
}

}  // namespace lh::settings

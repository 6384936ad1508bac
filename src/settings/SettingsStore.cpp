#include "settings/SettingsStore.h"

#include <array>
#include <cstdint>

#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::settings {

namespace {

constexpr std::size_t kDefbrowserBytes = 700;
constexpr std::size_t kRemindSoundBytes = 2000;
constexpr std::size_t kFolderBytes = 1000;
constexpr std::size_t kRemotefileLimit = 200;  // this long or longer is ignored
constexpr std::size_t kFindTextBytes = 255;
constexpr std::size_t kUserStringBytes = 600;
constexpr std::uint32_t kAutoSaveMinutes = 17;
constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr std::array<std::string_view, 4> kOrderNames = {"OrderOne", "OrderTwo", "OrderThree",
                                                         "OrderFour"};
constexpr std::array<std::string_view, 4> kSaveNames = {"SaveOne", "SaveTwo", "SaveThree",
                                                        "SaveFour"};

// A number value at its full stored width; a missing one is written back with `fallback`.
std::uint32_t readDword(SettingsKey& key, std::string_view name, std::uint32_t fallback) {
    if (const auto v = key.readDword(name)) {
        return *v;
    }
    key.writeDword(name, fallback);
    return fallback;
}

// `v` when it lies in lo..hi, else `fallback`; checked before narrowing to T.
template <typename T>
T inRangeOr(std::uint32_t v, std::uint32_t lo, std::uint32_t hi, T fallback) {
    return v < lo || v > hi ? fallback : static_cast<T>(v);
}

std::uint16_t low16(std::uint32_t v) {
    return static_cast<std::uint16_t>(v & 0xFFFF);
}

std::string cutText(std::string_view s, std::size_t maxBytes) {
    return std::string(text::cutUtf8(s, maxBytes));
}

std::string trimmedText(std::string_view s, std::size_t maxBytes) {
    return std::string(text::trimBlanks(text::cutUtf8(s, maxBytes)));
}

std::string findName(int n) {
    return "List" + std::to_string(n);
}

}  // namespace

// --- The whole set -------------------------------------------------------------------------------

void SettingsStore::readAtStart(AppSettings& s) {
    readLayouts(s);
    readDropZonePosition(s);
    readGeneral(s);
    readOtherFlag(s);
    readRemindDefaults(s);
    readUrlDefaults(s);
    readFileDefaults(s);
    readColors(s);
    readFavoritesFolder(s);
    readSkin(s);
}

void SettingsStore::writeAtClose(const AppSettings& s, const std::string& dataFile,
                                 const std::vector<ToolbarButton>& buttons,
                                 const MainLayout& layout, bool sessionEnd) {
    writeGeneral(s);
    writeLayouts(s);
    writeRemotefile(dataFile);
    writeOtherFlag(s);
    writeDropZonePosition(s);
    writeRemindDefaults(s);
    writeUrlDefaults(s);
    writeFileDefaults(s);
    writeColors(s);
    if (!sessionEnd) {
        writeSkin(s);
    }
    if (!buttons.empty()) {
        writeButtons(buttons);
    }
    writeLayout(layout);
}

// --- General -------------------------------------------------------------------------------------

void SettingsStore::readGeneral(AppSettings& s) {
    const auto key = m_backend.openKey(kGeneralKey, true);
    if (!key) {
        return;
    }
    s.GeneralCheck.value = low16(readDword(*key, "GeneralCheck", GeneralFlags::kDefault));
    // Minutes; the seconds must fit 16 bits, so 1080 minutes is the most.
    const std::uint32_t minutes = readDword(*key, "AutoSaveTime", kAutoSaveMinutes);
    s.AutoSaveTime = static_cast<std::uint16_t>(inRangeOr(minutes, 2, 1080, kAutoSaveMinutes) * 60);
    if (const auto browser = key->readString("Defbrowser")) {
        s.Defbrowser = trimmedText(*browser, kDefbrowserBytes);
    }
    if (const auto backup = key->readDword("AutoBackup")) {
        s.AutoBackup = *backup != 0;
    } else {
        // Older settings kept the backup switch in the DropZone's bit.
        s.AutoBackup = s.GeneralCheck.dropZoneShown();
        key->writeDword("AutoBackup", s.AutoBackup ? 1 : 0);
    }
}

void SettingsStore::writeGeneral(const AppSettings& s) {
    const auto key = m_backend.openKey(kGeneralKey, true);
    if (!key) {
        return;
    }
    key->writeDword("GeneralCheck", s.GeneralCheck.value);
    key->writeDword("AutoSaveTime", s.AutoSaveTime / 60u);
    key->writeString("Defbrowser", s.Defbrowser);
    key->writeDword("AutoBackup", s.AutoBackup ? 1 : 0);
}

void SettingsStore::readOtherFlag(AppSettings& s) {
    if (const auto key = m_backend.openKey(kGeneralKey, true)) {
        s.OtherFlag.value = readDword(*key, "OtherFlag", OtherFlags::kDefault);
    }
}

void SettingsStore::writeOtherFlag(const AppSettings& s) {
    if (const auto key = m_backend.openKey(kGeneralKey, true)) {
        key->writeDword("OtherFlag", s.OtherFlag.value);
    }
}

void SettingsStore::readSkin(AppSettings& s) {
    if (const auto key = m_backend.openKey(kGeneralKey, true)) {
        s.skin = low16(readDword(*key, "skin", 0));
    }
}

void SettingsStore::writeSkin(const AppSettings& s) {
    if (const auto key = m_backend.openKey(kGeneralKey, true)) {
        key->writeDword("skin", s.skin);
    }
}

void SettingsStore::readDropZonePosition(AppSettings& s) {
    const auto key = m_backend.openKey(kGeneralKey, true);
    if (!key) {
        return;
    }
    const auto coordinate = [&](std::string_view name, std::int32_t fallback) {
        const auto v =
            static_cast<std::int32_t>(readDword(*key, name, static_cast<std::uint32_t>(fallback)));
        return v < 0 ? 2 : v;
    };
    s.WDropX = coordinate("WDropX", 6);
    s.WDropY = coordinate("WDropY", 5);
}

void SettingsStore::writeDropZonePosition(const AppSettings& s) {
    const auto key = m_backend.openKey(kGeneralKey, true);
    if (!key) {
        return;
    }
    // A window partly beyond the left or top edge keeps the stored position.
    if (s.WDropX >= 0) {
        key->writeDword("WDropX", static_cast<std::uint32_t>(s.WDropX));
    }
    if (s.WDropY >= 0) {
        key->writeDword("WDropY", static_cast<std::uint32_t>(s.WDropY));
    }
}

// --- Default -------------------------------------------------------------------------------------

void SettingsStore::readRemindDefaults(AppSettings& s) {
    const auto key = m_backend.openKey(kDefaultKey, true);
    if (!key) {
        return;
    }
    s.RmdCheck = low16(readDword(*key, "RmdCheck", 0x00FE));
    s.FindType = low16(readDword(*key, "FindType", 0x0128));
    s.RmdHour = inRangeOr<std::uint16_t>(readDword(*key, "RmdHour", 7), 0, 23, 7);
    s.RmdMinute = inRangeOr<std::uint16_t>(readDword(*key, "RmdMinute", 30), 0, 59, 30);
    s.RmdNormal = inRangeOr<std::uint8_t>(readDword(*key, "RmdNormal", 3), 1, 5, 3);
    s.RmdNormal1 = inRangeOr<std::uint16_t>(readDword(*key, "RmdNormal1", 3), 3, 0xFFFF, 3);
    const auto sound = key->readString("RemindSound");
    s.RemindSound = sound ? cutText(*sound, kRemindSoundBytes) : std::string();
}

void SettingsStore::writeRemindDefaults(const AppSettings& s) {
    const auto key = m_backend.openKey(kDefaultKey, true);
    if (!key) {
        return;
    }
    key->writeDword("RmdCheck", s.RmdCheck);
    key->writeDword("FindType", s.FindType);
    key->writeDword("RmdHour", s.RmdHour);
    key->writeDword("RmdMinute", s.RmdMinute);
    key->writeDword("RmdNormal", s.RmdNormal);
    key->writeDword("RmdNormal1", s.RmdNormal1);
    if (!s.RemindSound.empty()) {
        key->writeString("RemindSound", s.RemindSound);
    }
}

void SettingsStore::readUrlDefaults(AppSettings& s) {
    if (const auto key = m_backend.openKey(kDefaultKey, true)) {
        s.URLNormal = inRangeOr<std::uint8_t>(readDword(*key, "URLNormal", 3), 1, 5, 3);
        s.URLNormal1 = inRangeOr<std::uint16_t>(readDword(*key, "URLNormal1", 1), 1, 0xFFFF, 1);
    }
}

void SettingsStore::writeUrlDefaults(const AppSettings& s) {
    if (const auto key = m_backend.openKey(kDefaultKey, true)) {
        key->writeDword("URLNormal", s.URLNormal);
        key->writeDword("URLNormal1", s.URLNormal1);
    }
}

void SettingsStore::readFileDefaults(AppSettings& s) {
    if (const auto key = m_backend.openKey(kDefaultKey, true)) {
        s.FileNormal = inRangeOr<std::uint8_t>(readDword(*key, "FileNormal", 3), 1, 5, 3);
        s.FileNormal1 = inRangeOr<std::uint16_t>(readDword(*key, "FileNormal1", 2), 2, 0xFFFF, 2);
    }
}

void SettingsStore::writeFileDefaults(const AppSettings& s) {
    if (const auto key = m_backend.openKey(kDefaultKey, true)) {
        key->writeDword("FileNormal", s.FileNormal);
        key->writeDword("FileNormal1", s.FileNormal1);
    }
}

// --- Color ---------------------------------------------------------------------------------------

void SettingsStore::readColors(AppSettings& s) {
    const auto key = m_backend.openKey(kColorKey, true);
    if (!key) {
        return;
    }
    s.Alpha = inRangeOr<std::uint8_t>(readDword(*key, "Alpha", 128), 0, 255, 128);
    s.Flag = static_cast<std::uint8_t>(readDword(*key, "Flag", 2) & 0xFF);
    s.OddText = readDword(*key, "OddText", 0x330000);
    s.OddBK = readDword(*key, "OddBK", 0xB4F0C8);
    s.EvenText = readDword(*key, "EvenText", 0x666600);
    s.EvenBK = readDword(*key, "EvenBK", 0x78F078);
    s.DetailBK = readDword(*key, "DetailBK", 0xFFFFFF);
    s.HourColor = readDword(*key, "HourColor", 0x5E5E5E);
    s.MinuteColor = readDword(*key, "MinuteColor", 0x5E5E5E);
    s.SecondColor = readDword(*key, "SecondColor", 0x0000FF);
    const auto folder = key->readString("Detailpic");
    s.FavoritesFolder = folder ? trimmedText(*folder, kFolderBytes) : std::string();
}

void SettingsStore::writeColors(const AppSettings& s) {
    const auto key = m_backend.openKey(kColorKey, true);
    if (!key) {
        return;
    }
    key->writeDword("Alpha", s.Alpha);
    key->writeDword("Flag", s.Flag);
    key->writeDword("OddText", s.OddText);
    key->writeDword("OddBK", s.OddBK);
    key->writeDword("EvenText", s.EvenText);
    key->writeDword("EvenBK", s.EvenBK);
    key->writeDword("DetailBK", s.DetailBK);
    key->writeDword("HourColor", s.HourColor);
    key->writeDword("MinuteColor", s.MinuteColor);
    key->writeDword("SecondColor", s.SecondColor);
    key->writeString("Detailpic", s.FavoritesFolder);
}

void SettingsStore::readFavoritesFolder(AppSettings& s) {
    const auto folder = m_backend.readUserString(kShellFoldersKey, "Favorites");
    if (!folder) {
        return;
    }
    std::string trimmed = trimmedText(*folder, kFolderBytes);
    if (!trimmed.empty()) {
        s.FavoritesFolder = std::move(trimmed);
    }
}

// --- DownSet -------------------------------------------------------------------------------------

void SettingsStore::readLayouts(AppSettings& s) {
    const auto key = m_backend.openKey(kDownSetKey, true);
    if (!key) {
        return;
    }
    for (std::size_t i = 0; i < s.layouts.size(); ++i) {
        const auto kind = static_cast<ColumnLayout::Kind>(i);
        ColumnLayout stored;
        const auto order = key->readBinary(kOrderNames[i]);
        const auto entries = key->readBinary(kSaveNames[i]);
        const bool read =
            order && entries && stored.setOrderBytes(*order) && stored.setEntryBytes(*entries);
        s.layouts[i] = read && stored.isUsable(kind) ? stored : ColumnLayout::defaults(kind);
    }
}

void SettingsStore::writeLayouts(const AppSettings& s) {
    const auto key = m_backend.openKey(kDownSetKey, true);
    if (!key) {
        return;
    }
    for (std::size_t i = 0; i < s.layouts.size(); ++i) {
        key->writeBinary(kOrderNames[i], s.layouts[i].orderBytes());
        key->writeBinary(kSaveNames[i], s.layouts[i].entryBytes());
    }
}

// --- Other values --------------------------------------------------------------------------------

std::optional<std::string> SettingsStore::readRemotefile() {
    const auto key = m_backend.openKey(kDataFileKey, true);
    if (!key) {
        return std::nullopt;
    }
    auto path = key->readString("Remotefile");
    if (!path || path->size() >= kRemotefileLimit) {
        return std::nullopt;
    }
    return path;
}

void SettingsStore::writeRemotefile(const std::string& path) {
    if (path.empty()) {
        return;
    }
    if (const auto key = m_backend.openKey(kDataFileKey, true)) {
        key->writeString("Remotefile", path);
    }
}

std::vector<std::string> SettingsStore::readFindHistory() {
    std::vector<std::string> history;
    const auto key = m_backend.openKey(kFindStrKey, true);
    if (!key) {
        return history;
    }
    for (int n = 1;; ++n) {
        const auto text = key->readString(findName(n));
        if (!text) {
            break;
        }
        history.push_back(cutText(*text, kFindTextBytes));
    }
    return history;
}

void SettingsStore::addFindText(std::string_view text) {
    const auto key = m_backend.openKey(kFindStrKey, true);
    if (!key) {
        return;
    }
    int free = 1;
    while (free <= kFindHistorySize && key->readString(findName(free))) {
        ++free;
    }
    if (free > kFindHistorySize) {
        for (int m = 2; m <= kFindHistorySize; ++m) {
            key->writeString(findName(m - 1), key->readString(findName(m)).value_or(""));
        }
        free = kFindHistorySize;
    }
    key->writeString(findName(free), text::cutUtf8(text, kFindTextBytes));
}

std::optional<std::vector<ToolbarButton>> SettingsStore::readButtons(
    const std::function<bool(const ToolbarButton&)>& known) {
    const auto key = m_backend.openKey(kToolBarKey, false);
    if (!key) {
        return std::nullopt;
    }
    const auto bytes = key->readBinary("Button");
    return bytes ? ToolbarButton::decode(*bytes, known) : std::nullopt;
}

void SettingsStore::writeButtons(const std::vector<ToolbarButton>& buttons) {
    if (const auto key = m_backend.openKey(kToolBarKey, true)) {
        key->writeBinary("Button", ToolbarButton::encode(buttons));
    }
}

MainLayout SettingsStore::readLayout() {
    MainLayout layout;
    const auto key = m_backend.openKey(kMainKey, false);
    if (!key) {
        return layout;
    }
    if (const auto tree = key->readString("FormEx")) {
        layout.treePane = PaneRect::parse(*tree);
    }
    if (const auto detail = key->readString("ThdFormEx")) {
        layout.detailPane = PaneRect::parse(*detail);
    }
    if (const auto bytes = key->readBinary("winlayout")) {
        layout.placement = WindowPlacement::decode(*bytes);
    }
    if (layout.placement && (layout.placement->showState == WindowPlacement::kShowHide ||
                             layout.placement->showState == WindowPlacement::kShowMinimized)) {
        layout.placement->showState = WindowPlacement::kShowNormal;
    }
    return layout;
}

void SettingsStore::writeLayout(const MainLayout& layout) {
    const auto key = m_backend.openKey(kMainKey, true);
    if (!key) {
        return;
    }
    if (layout.placement) {
        key->writeBinary("winlayout", layout.placement->encode());
    }
    if (layout.detailPane) {
        key->writeString("ThdFormEx", layout.detailPane->format().value_or(""));
    }
    if (layout.treePane) {
        key->writeString("FormEx", layout.treePane->format().value_or(""));
    }
}

std::optional<std::string> SettingsStore::readUserString(std::string_view keyPath,
                                                         std::string_view name) {
    auto value = m_backend.readUserString(keyPath, name);
    if (value) {
        *value = cutText(*value, kUserStringBytes);
    }
    return value;
}

}  // namespace lh::settings

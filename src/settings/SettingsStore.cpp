#include "settings/SettingsStore.h"

#include <array>
#include <cstdint>

#include "text/Utf8.h"

namespace lh::settings {

namespace {

constexpr std::size_t kRemotefileLimit = 200;  // this long or longer is ignored
constexpr std::size_t kFindTextBytes = 255;
constexpr std::size_t kUserStringBytes = 600;
constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr std::array<std::string_view, 4> kOrderNames = {"OrderOne", "OrderTwo", "OrderThree",
                                                         "OrderFour"};
constexpr std::array<std::string_view, 4> kSaveNames = {"SaveOne", "SaveTwo", "SaveThree",
                                                        "SaveFour"};

using Group = Setting::Group;
using Rule = Setting::Rule;

// Reads one row. A missing number is written back with its default; a stored value that reading
// corrects is used in memory only.
void readRow(SettingsKey& key, const Setting& row, AppSettings& s) {
    if (row.isText()) {
        if (const auto text = key.readString(row.name)) {
            row.setText(s, *text);
        } else if (row.rule != Rule::TrimmedOrKept) {
            row.setText(s, {});
        }
        return;
    }
    auto stored = key.readDword(row.name);
    if (!stored) {
        // Older settings kept the backup switch in the DropZone's bit.
        const bool fromDropZone = row.rule == Rule::BackupSwitch;
        stored = fromDropZone ? (s.GeneralCheck.dropZoneShown() ? 1u : 0u) : row.def;
        key.writeDword(row.name, *stored);
    }
    row.setNumber(s, *stored);
}

void writeRow(SettingsKey& key, const Setting& row, const AppSettings& s) {
    if (row.isText()) {
        const std::string& text = row.text(s);
        if (!text.empty() || row.rule != Rule::Text) {
            key.writeString(row.name, text);
        }
        return;
    }
    const std::uint32_t number = row.number(s);
    // A DropZone partly beyond the left or top edge keeps the stored position.
    if (row.rule != Rule::Position || number <= row.hi) {
        key.writeDword(row.name, number);
    }
}

// The rows of `group` in table order, through one opening of their key; nothing when the key
// cannot be opened.
void readRows(SettingsBackend& backend, Group group, AppSettings& s) {
    const auto rows = settingsOf(group);
    if (const auto key = backend.openKey(rows.front().key, true)) {
        for (const Setting& row : rows) {
            readRow(*key, row, s);
        }
    }
}

void writeRows(SettingsBackend& backend, Group group, const AppSettings& s) {
    const auto rows = settingsOf(group);
    if (const auto key = backend.openKey(rows.front().key, true)) {
        for (const Setting& row : rows) {
            writeRow(*key, row, s);
        }
    }
}

std::string cutText(std::string_view s, std::size_t maxBytes) {
    return std::string(text::cutUtf8(s, maxBytes));
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
    readLinkCheck(s);
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
    writeLinkCheck(s);
    if (!sessionEnd) {
        writeSkin(s);
    }
    if (!buttons.empty()) {
        writeButtons(buttons);
    }
    writeLayout(layout);
}

// --- The table's groups -------------------------------------------------------------------------

void SettingsStore::readGeneral(AppSettings& s) {
    readRows(m_backend, Group::General, s);
}

void SettingsStore::writeGeneral(const AppSettings& s) {
    writeRows(m_backend, Group::General, s);
}

void SettingsStore::readOtherFlag(AppSettings& s) {
    readRows(m_backend, Group::OtherFlag, s);
}

void SettingsStore::writeOtherFlag(const AppSettings& s) {
    writeRows(m_backend, Group::OtherFlag, s);
}

void SettingsStore::readSkin(AppSettings& s) {
    readRows(m_backend, Group::Skin, s);
}

void SettingsStore::writeSkin(const AppSettings& s) {
    writeRows(m_backend, Group::Skin, s);
}

void SettingsStore::readDropZonePosition(AppSettings& s) {
    readRows(m_backend, Group::DropZonePosition, s);
}

void SettingsStore::writeDropZonePosition(const AppSettings& s) {
    writeRows(m_backend, Group::DropZonePosition, s);
}

void SettingsStore::readRemindDefaults(AppSettings& s) {
    readRows(m_backend, Group::RemindDefaults, s);
}

void SettingsStore::writeRemindDefaults(const AppSettings& s) {
    writeRows(m_backend, Group::RemindDefaults, s);
}

void SettingsStore::readUrlDefaults(AppSettings& s) {
    readRows(m_backend, Group::UrlDefaults, s);
}

void SettingsStore::writeUrlDefaults(const AppSettings& s) {
    writeRows(m_backend, Group::UrlDefaults, s);
}

void SettingsStore::readFileDefaults(AppSettings& s) {
    readRows(m_backend, Group::FileDefaults, s);
}

void SettingsStore::writeFileDefaults(const AppSettings& s) {
    writeRows(m_backend, Group::FileDefaults, s);
}

void SettingsStore::readColors(AppSettings& s) {
    readRows(m_backend, Group::Colors, s);
}

void SettingsStore::writeColors(const AppSettings& s) {
    writeRows(m_backend, Group::Colors, s);
}

void SettingsStore::readLinkCheck(AppSettings& s) {
    readRows(m_backend, Group::LinkCheck, s);
}

void SettingsStore::writeLinkCheck(const AppSettings& s) {
    writeRows(m_backend, Group::LinkCheck, s);
}

void SettingsStore::readFavoritesFolder(AppSettings& s) {
    const auto folder = m_backend.readUserString(kShellFoldersKey, "Favorites");
    if (!folder) {
        return;
    }
    // Cut and trimmed like the stored one.
    std::string trimmed = findSetting(&AppSettings::FavoritesFolder)->correctedText(*folder);
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

void SettingsStore::writeRemindLastCheck(const AppSettings& s) {
    const Setting* row = findSetting(&AppSettings::RmdLastCheck);
    if (const auto key = m_backend.openKey(row->key, true)) {
        writeRow(*key, *row, s);
    }
}

std::string SettingsStore::readPendingAlarms() {
    const auto key = m_backend.openKey(kRemindersKey, false);
    return key ? key->readString("PendingAlarms").value_or("") : std::string();
}

void SettingsStore::writePendingAlarms(std::string_view text) {
    if (const auto key = m_backend.openKey(kRemindersKey, true)) {
        key->writeString("PendingAlarms", text);
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

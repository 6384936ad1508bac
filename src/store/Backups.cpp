#include "store/Backups.h"

#include <cstdio>

#include "platform/FileInfo.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/Trim.h"

namespace lh::store {

std::string BackupNames::name(int n) const {
    return stem + ".lbak" + std::to_string(n);
}

std::optional<BackupNames> backupNames(std::string_view dataFile) {
    const std::string_view path = text::trimBlanks(dataFile);
    const auto separator = path.find_last_of(platform::kPathSeparator);
    if (path.size() < 4 || separator == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = path.substr(separator + 1);
    const std::string_view stem = name.substr(0, name.find_last_of('.'));
    if (stem.empty()) {
        return std::nullopt;
    }
    return BackupNames{std::string(path.substr(0, separator + 1)), std::string(stem)};
}

std::string chooseBackupName(std::string_view dataFile) {
    const auto names = backupNames(dataFile);
    if (!names) {
        return {};
    }
    int oldest = 0;
    platform::FileTime oldestTime = 0;
    for (int n = 1; n <= kBackupSlots; ++n) {
        const std::string path = names->path(n);
        if (!platform::pathExists(path)) {
            return path;
        }
        (void)platform::clearReadOnly(path);  // one that stays read-only fails the next test
        platform::FileTime time = 0;
        if (platform::fileWriteTime(path, true, time) != 0) {
            return {};  // no backup this time
        }
        if (oldest == 0 || time < oldestTime) {
            oldest = n;
            oldestTime = time;
        }
    }
    return names->path(oldest);
}

bool backupExists(std::string_view dataFile) {
    const auto names = backupNames(dataFile);
    if (!names) {
        return false;
    }
    for (int n = 1; n <= kBackupSlots; ++n) {
        if (platform::pathExists(names->path(n))) {
            (void)platform::clearReadOnly(names->path(n));  // its loading tells what is wrong
            return true;
        }
    }
    return false;
}

std::vector<BackupRow> restoreList(std::string_view dataFile) {
    std::vector<BackupRow> rows;
    const auto names = backupNames(dataFile);
    if (!names) {
        return rows;
    }
    std::optional<platform::FileTime> newestTime;
    std::size_t newest = 0;
    for (int n = kBackupSlots; n >= 1; --n) {
        platform::FileTime time = 0;
        if (platform::fileWriteTime(names->path(n), false, time) != 0) {
            continue;  // missing or unreadable: not offered
        }
        const platform::LocalTime utc = platform::utcTimeOf(time);
        BackupRow row{names->name(n), formatBackupDate(utc), names->folder, formatIsoDate(utc)};
        (void)platform::regularFileSize(row.path(), row.size);
        // A tie keeps the higher slot: the lower one is overwritten first, as the older.
        if (!newestTime || time > *newestTime) {
            newestTime = time;
            newest = rows.size();
        }
        rows.push_back(std::move(row));
    }
    if (!rows.empty()) {
        rows[newest].newest = true;
    }
    return rows;
}

std::vector<BackupRow> withLinkCounts(std::vector<BackupRow> rows) {
    for (BackupRow& row : rows) {
        Database backup;
        platform::IoError error;
        if (backup.load(row.path(), error) != LoadOutcome::Loaded) {
            row.links.reset();
            continue;
        }
        std::size_t links = 0;
        walkSearchOrder(backup.root(), [&](const CategoryRecord& category) {
            walkItems(category, [&](const ItemRecord& item) {
                links += item.kind() == kKindUrl ? 1u : 0u;
                return false;
            });
            return false;
        });
        row.links = links;
    }
    return rows;
}

std::string formatBackupDate(const platform::LocalTime& utc) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", utc.month, utc.day, utc.year,
                  utc.hour, utc.minute, utc.second);
    return text;
}

std::string formatIsoDate(const platform::LocalTime& utc) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second);
    return text;
}

DailyBackupDecision decideDailyBackup(int rememberedDay, int today, bool enabled,
                                      std::string_view dataFile) {
    if (today == rememberedDay) {
        return {rememberedDay, false};
    }
    return {today, enabled && !text::trimBlanks(dataFile).empty()};
}

bool backupWrittenToday(std::string_view dataFile, const platform::LocalTime& now) {
    const auto names = backupNames(dataFile);
    if (!names) {
        return false;
    }
    for (int n = 1; n <= kBackupSlots; ++n) {
        platform::FileTime time = 0;
        if (platform::fileWriteTime(names->path(n), false, time) != 0) {
            continue;
        }
        const platform::LocalTime written = platform::localTimeOf(time);
        if (written.year == now.year && written.month == now.month && written.day == now.day) {
            return true;
        }
    }
    return false;
}

}  // namespace lh::store

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace lh::store {

// The four backups of a data file: stem + ".lbak1" to ".lbak4" in the data file's folder, where
// the stem is the file name without its last extension. Which slot to write, whether to write
// today, and the restore list.

inline constexpr int kBackupSlots = 4;

// Where the backups of one data file go.
struct BackupNames {
    std::string folder;  // the data file's folder, with its trailing separator
    std::string stem;    // the data file's name without its last extension

    // The file name of slot `n` (1..4), e.g. "Default.lbak1".
    std::string name(int n) const;
    // The full path of slot `n`.
    std::string path(int n) const { return folder + name(n); }
};

// The backup names of `dataFile`; nothing when the trimmed path is shorter than 4 characters,
// has no separator or gives an empty stem (no backup is made or looked for then).
std::optional<BackupNames> backupNames(std::string_view dataFile);

// The backup to write next: the first missing slot, else the slot with the oldest last-write
// time (strictly older wins, so the lower number on equal times). A read-only slot is made
// writable before it is examined. Empty when no name exists or a slot cannot be opened for
// writing or timed.
std::string chooseBackupName(std::string_view dataFile);

// True when at least one backup of `dataFile` exists; the first existing one loses its
// read-only attribute.
bool backupExists(std::string_view dataFile);

// One row of the "Restore backup file" list.
struct BackupRow {
    std::string name;      // "File name": stem + ".lbak" + N
    std::string date;      // "File date": last write, UTC, "MM/DD/YYYY hh:mm:ss"
    std::string folder;    // "File path": the folder with its trailing separator
    std::string iso = {};  // the same moment as "YYYY-MM-DDThh:mm:ssZ"
    // The last written of the list: after the slots wrap, not the first row.
    bool newest = false;
    std::uint64_t size = 0;  // bytes
    // How many links it holds; nothing until counted, or when it does not load.
    std::optional<std::size_t> links = {};

    std::string path() const { return folder + name; }
    bool operator==(const BackupRow&) const = default;
};

// The existing, readable backups of `dataFile` in display order: slot 4 first, slot 1 last, the
// last written marked newest (on equal times the higher slot, as chooseBackupName takes the
// lower one for the older). Links are not counted. Changes
// nothing on disk.
std::vector<BackupRow> restoreList(std::string_view dataFile);

// Loads each row's backup and counts its links, for a user choosing among them.
std::vector<BackupRow> withLinkCounts(std::vector<BackupRow> rows);

// `utc` as "%02d/%02d/%02d %02d:%02d:%02d": month, day, four-digit year, hour, minute, second.
std::string formatBackupDate(const platform::LocalTime& utc);
// `utc` in ISO 8601: "2026-12-07T09:30:00Z".
std::string formatIsoDate(const platform::LocalTime& utc);

// What the reminder timer's tick decides about the daily backup.
struct DailyBackupDecision {
    int rememberedDay = 0;  // the day of the month to remember from now on
    bool backUp = false;    // make a backup now
};

// At each tick: when `today` (day of the month) differs from `rememberedDay`, the day is
// remembered and a backup is due when `enabled` and the data file is not empty.
DailyBackupDecision decideDailyBackup(int rememberedDay, int today, bool enabled,
                                      std::string_view dataFile);

// True when a backup of `dataFile` was written on the local date of `now`, so that another
// start on the same day keeps the older history.
bool backupWrittenToday(std::string_view dataFile, const platform::LocalTime& now);

}  // namespace lh::store

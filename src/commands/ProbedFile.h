#pragma once

#include <optional>
#include <string>

#include "platform/FileInfo.h"
#include "platform/IoError.h"
#include "store/Database.h"

namespace lh::commands {

// A database file read into memory and tried on a scratch database first, so that a damaged,
// half-written or unreadable file is found out before the open database is given up for it.
struct ProbedFile {
    std::string path;
    std::optional<platform::FileStamp> stamp;  // the file as it was just before the read
    std::string bytes;                         // what was read (loads as it did in the probe)
    store::LoadOutcome outcome = store::LoadOutcome::Missing;
    platform::IoError error;  // why it did not load
};

ProbedFile probeFile(const std::string& path);

}  // namespace lh::commands

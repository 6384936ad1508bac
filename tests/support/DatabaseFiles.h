#pragma once

#include <string>

#include "store/Database.h"

namespace lh::test {

// The Database's file operations for tests that do not look at the reason of a failure.
inline store::LoadOutcome load(store::Database& db, const std::string& path) {
    platform::IoError error;
    return db.load(path, error);
}

inline bool save(store::Database& db, const std::string& path) {
    platform::IoError error;
    return db.save(path, error);
}

// A default database, written to `path`.
inline bool createDefaultFile(store::Database& db, const std::string& path) {
    platform::IoError error;
    return db.createDefault(path, error);
}

}  // namespace lh::test

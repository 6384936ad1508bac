#pragma once

#include <string>

#include "bookmarks/FirefoxProfile.h"
#include "bookmarks/ImportResult.h"

namespace lh::store {
class Database;
}

namespace lh::bookmarks {

// Imports the bookmarks of the Firefox profile folder `profile` into the favourites category:
// its "bookmarks.html" when there is one (read as any bookmark file), otherwise its
// "places.sqlite" (see PlacesReader.h), giving the same tree. result.error says when the
// profile holds neither or they cannot be read.
ImportResult importFirefoxProfile(store::Database& db, const std::string& profile,
                                  const ImportOptions& options = {});

// Finds the Firefox profile (findFirefoxProfile) and imports it; result.error says when no
// profile was found.
ImportResult importFirefox(store::Database& db, const FirefoxEnvironment& env,
                           const ImportOptions& options = {});

}  // namespace lh::bookmarks

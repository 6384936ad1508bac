#include "bookmarks/FirefoxImport.h"

#include "bookmarks/BookmarkImport.h"
#include "bookmarks/ImportTarget.h"
#include "bookmarks/PlacesReader.h"
#include "platform/Folder.h"
#include "platform/Paths.h"

namespace lh::bookmarks {

ImportResult importFirefoxProfile(store::Database& db, const std::string& profile,
                                  const ImportOptions& options) {
    const std::string html = platform::joinPath(profile, "bookmarks.html");
    if (platform::isRegularFile(html)) {
        return importBookmarkFile(db, html, options);
    }
    ImportResult result;
    const std::string places = platform::joinPath(profile, "places.sqlite");
    if (!platform::isRegularFile(places)) {
        result.error = "No Firefox bookmarks (bookmarks.html or places.sqlite) were found in \"" +
                       profile + "\".";
        return result;
    }
    PlacesReader reader;
    if (!reader.open(places)) {
        result.error = reader.error();
        return result;
    }
    ImportTarget target(db, options, result);
    if (target.ready()) {
        reader.replay(target, options.progress, result.cancelled);
    }
    return result;
}

ImportResult importFirefox(store::Database& db, const FirefoxEnvironment& env,
                           const ImportOptions& options) {
    const std::string profile = findFirefoxProfile(env);
    if (profile.empty()) {
        ImportResult result;
        result.error = "No Firefox profile was found.";
        return result;
    }
    return importFirefoxProfile(db, profile, options);
}

}  // namespace lh::bookmarks

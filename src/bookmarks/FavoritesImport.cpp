#include "bookmarks/FavoritesImport.h"

#include <vector>

#include "bookmarks/ImportTarget.h"
#include "bookmarks/ShortcutFile.h"
#include "bookmarks/TextDecoder.h"
#include "platform/Folder.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "store/Database.h"
#include "text/Ascii.h"

namespace lh::bookmarks {

namespace {

// Progress is told every this many entries.
constexpr std::uint64_t kProgressStep = 64;

// The title of a shortcut file: its name without the extension, when that is "url".
bool shortcutTitle(const std::string& name, std::string& title) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) {
        return false;
    }
    if (!text::equalsIgnoringAsciiCase(std::string_view(name).substr(dot + 1), "url")) {
        return false;
    }
    title = toUtf8(std::string_view(name).substr(0, dot));
    return true;
}

// Reads one shortcut file and adds its item. False when the file could not be read.
bool addShortcut(ImportTarget& target, const std::string& path, const std::string& title,
                 std::uint16_t categoryId, int& systemError) {
    std::string bytes;
    systemError = platform::readFilePrefix(path, kShortcutReadLimit, bytes);
    if (systemError != 0) {
        return false;
    }
    const std::string address = readShortcutAddress(bytes);
    if (!address.empty()) {
        target.addLink(title, address, categoryId);
    }
    return true;
}

struct Level {
    std::string folder;
    std::uint16_t categoryId;
    std::vector<platform::FolderEntry> entries;
    std::size_t next = 0;
};

}  // namespace

ImportResult importFavoritesFolder(store::Database& db, const std::string& folder,
                                   std::uint16_t categoryId, const ImportOptions& options) {
    ImportResult result;
    ImportTarget target(db, options, result);
    if (!target.ready()) {
        return result;
    }
    if (db.findCategory(categoryId) == nullptr) {
        categoryId = store::kFavoritesId;
    }
    std::vector<Level> levels(1);
    levels[0].folder = folder;
    levels[0].categoryId = categoryId;
    int systemError = 0;
    if (!platform::listFolder(folder, levels[0].entries, systemError)) {
        result.error = "Cannot read the Favorites folder: " +
                       platform::IoError("list", folder, systemError).userMessage();
        return result;
    }
    std::uint64_t seen = 0;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        const platform::FolderEntry entry = level.entries[level.next++];
        if (++seen % kProgressStep == 0 && options.progress && !options.progress(seen, 0)) {
            result.cancelled = true;
            break;
        }
        const std::string path = platform::joinPath(level.folder, entry.name);
        std::string title;
        if (entry.kind == platform::FolderEntry::Kind::Folder) {
            const std::uint16_t id = target.findOrCreate(toUtf8(entry.name), level.categoryId);
            if (id == 0) {
                break;
            }
            Level sub{path, id, {}, 0};
            (void)platform::listFolder(path, sub.entries, systemError);  // unreadable: empty
            levels.push_back(std::move(sub));  // `level` is not used after this
        } else if (entry.kind == platform::FolderEntry::Kind::File &&
                   shortcutTitle(entry.name, title)) {
            addShortcut(target, path, title, level.categoryId, systemError);
        }
    }
    return result;
}

ImportResult importShortcutFile(store::Database& db, const std::string& path,
                                std::uint16_t categoryId, const ImportOptions& options) {
    ImportResult result;
    ImportTarget target(db, options, result);
    if (!target.ready()) {
        return result;
    }
    std::string title;
    const std::string name(platform::fileName(path));
    if (!shortcutTitle(name, title)) {
        title = toUtf8(name);
    }
    int systemError = 0;
    if (!addShortcut(target, path, title, categoryId, systemError)) {
        result.error = "Cannot read the shortcut file: " +
                       platform::IoError("open", path, systemError).userMessage();
    }
    return result;
}

}  // namespace lh::bookmarks

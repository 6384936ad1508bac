#include "commands/DroppedInput.h"

#include <algorithm>

#include "platform/FileInfo.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::commands {

std::string DroppedFiles::status() const {
    if (!kept.empty()) {
        return {};
    }
    if (skipped == 0) {
        return "Nothing added: no file was dropped.";
    }
    return "Nothing added: only readable files can be added, not folders or special files (" +
           std::to_string(skipped) + (skipped == 1 ? " name" : " names") + " skipped).";
}

bool isReadableRegularFile(const std::string& path) {
    platform::FileTime ignored = 0;
    return platform::fileWriteTime(path, false, ignored) == 0;
}

DroppedFiles keepDroppedFiles(const std::vector<std::string>& paths,
                              const ReadableFileTest& isReadable) {
    DroppedFiles files;
    for (const std::string& path : paths) {
        const bool usable = !path.empty() && path.size() <= kLongestDroppedName &&
                            path.find('\0') == std::string::npos && isReadable(path);
        if (usable) {
            files.kept.push_back(path);
        } else {
            ++files.skipped;
        }
    }
    return files;
}

std::optional<std::string> droppedAddress(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text::trimBlanks(text.substr(0, end));
        if (!line.empty()) {
            // Trimmed again: the cut may end on a blank inside the line.
            return std::string(
                text::trimTrailingBlanks(text::cutUtf8(line, kLongestDroppedAddress)));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return std::nullopt;
}

store::CategoryId droppedFilesCategory(const store::Database& db,
                                       std::optional<store::CategoryId> current) {
    const store::CategoryRecord* shown = current ? db.findCategory(*current) : nullptr;
    if (shown == nullptr) {
        return store::kFavoritesId;
    }
    for (const store::CategoryRecord* c = shown; c != nullptr; c = c->parent()) {
        if (c->id() == store::kRecycleId) {
            return store::kFavoritesId;
        }
    }
    return *current;
}

}  // namespace lh::commands

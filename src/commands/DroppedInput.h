#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Database.h"

namespace lh::commands {

// What may come of something dropped on the DropZone: files for the Add Bach File dialog, or an
// address for Add Url. Dropped data is outside input: anything unusable is left out, and what is
// left out is said.

// Dropped names longer than this many bytes are skipped (the rest are still read).
inline constexpr std::size_t kLongestDroppedName = 7000;
// A dropped address is cut to this many bytes (on a character boundary).
inline constexpr std::size_t kLongestDroppedAddress = 2000;

// What became of a list of dropped file names.
struct DroppedFiles {
    std::vector<std::string> kept;  // in the order dropped
    std::size_t skipped = 0;        // folders, unreadable or special files, overlong names
    // What the status bar says when nothing was kept; empty otherwise.
    std::string status() const;
};

// True when `path` names a regular file this user can read (links followed).
using ReadableFileTest = std::function<bool(const std::string& path)>;
// The file system's own answer (opening a FIFO does not block).
bool isReadableRegularFile(const std::string& path);

// Keeps the dropped `paths` that name readable regular files, links followed; folders, FIFOs,
// devices, links to folders, missing files and names over kLongestDroppedName bytes are
// skipped.
DroppedFiles keepDroppedFiles(const std::vector<std::string>& paths,
                              const ReadableFileTest& isReadable = isReadableRegularFile);

// The address in dropped text: its first line that is not blank, without leading and trailing
// blanks, cut to kLongestDroppedAddress bytes. Nothing for text that is empty, all blank or holds
// a NUL byte anywhere (not text a browser drags).
std::optional<std::string> droppedAddress(std::string_view text);
// What the status bar says when dropped text gave no address.
inline constexpr std::string_view kNoDroppedAddressStatus =
    "Nothing added: the dropped text holds no address.";

// The category the Add Bach File dialog opens on for dropped files: the category shown
// (`current`, when there is one), unless it is "Recycle" or lies inside it; then "WebFavorite".
store::CategoryId droppedFilesCategory(const store::Database& db,
                                       std::optional<store::CategoryId> current);

}  // namespace lh::commands

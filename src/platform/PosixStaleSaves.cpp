#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/Folder.h"
#include "platform/Paths.h"
#include "platform/StaleSaves.h"

namespace lh::platform {

namespace {

// The random part of a temporary file's name.
constexpr std::size_t kRandomLetters = 8;

bool isOlderThan(const struct stat& st, std::chrono::seconds minimumAge) {
    return std::time(nullptr) - st.st_mtim.tv_sec >= minimumAge.count();
}

// Removes `path` when it is an old regular file that no save holds locked.
bool removeWhenStale(const std::string& path, std::chrono::seconds minimumAge) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st = {};
    bool removed = false;
    // The lock is held while the file goes, so that nothing can start using it meanwhile.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && isOlderThan(st, minimumAge) &&
        lockForWriting(fd) == 0) {
        removed = ::unlink(path.c_str()) == 0;
    }
    ::close(fd);
    return removed;
}

}  // namespace

int removeStaleSaves(const std::string& target, std::chrono::seconds minimumAge) {
    std::string resolved;
    if (realFileSystem().resolveLinks(target, resolved) != 0) {
        return 0;
    }
    const std::string folder = parentFolder(resolved);
    const std::string prefix = AtomicFile::temporaryPrefix(resolved);
    std::vector<FolderEntry> entries;
    int error = 0;
    if (!listFolder(folder, entries, error)) {
        return 0;
    }
    int removed = 0;
    for (const FolderEntry& entry : entries) {
        if (entry.kind == FolderEntry::Kind::File &&
            entry.name.size() == prefix.size() + kRandomLetters &&
            entry.name.compare(0, prefix.size(), prefix) == 0 &&
            removeWhenStale(joinPath(folder, entry.name), minimumAge)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace lh::platform

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Folder.h"

namespace lh::platform {

bool listFolder(const std::string& folder, std::vector<FolderEntry>& entries, int& systemError) {
    entries.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        systemError = errno;
        return false;
    }
    const int fd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        FolderEntry entry{name, FolderEntry::Kind::Other};
        struct stat st {};
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(st.st_mode)) {
                entry.kind = FolderEntry::Kind::Folder;
            } else if (S_ISREG(st.st_mode)) {
                entry.kind = FolderEntry::Kind::File;
            } else if (S_ISLNK(st.st_mode) && ::fstatat(fd, e->d_name, &st, 0) == 0 &&
                       S_ISREG(st.st_mode)) {
                entry.kind = FolderEntry::Kind::File;
            }
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    systemError = 0;
    return true;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int readFilePrefix(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    if (error == 0) {
        bytes.resize(std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size)));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                error = errno;
            }
            if (n <= 0) {
                break;  // an error, or the file got shorter meanwhile
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    return error;
}

}  // namespace lh::platform

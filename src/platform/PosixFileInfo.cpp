#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "platform/FileInfo.h"
#include "platform/LastSystemError.h"

namespace lh::platform {

namespace {

constexpr FileTime kNanosPerSecond = 1'000'000'000;

LocalTime fromTm(const std::tm& tm) {
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                     tm.tm_min,         tm.tm_sec,     tm.tm_wday};
}

std::time_t secondsOf(FileTime time) {
    // Floor division, so that times before 1970 keep their second.
    FileTime seconds = time / kNanosPerSecond;
    if (time % kNanosPerSecond < 0) {
        --seconds;
    }
    return static_cast<std::time_t>(seconds);
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    const auto nanos = [](const struct timespec& t) {
        return static_cast<FileTime>(t.tv_sec) * kNanosPerSecond + t.tv_nsec;
    };
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size), nanos(st.st_mtim), nanos(st.st_ctim)};
}

bool isSameFile(const std::string& a, const std::string& b) {
    const auto first = fileStamp(a);
    const auto second = first ? fileStamp(b) : std::nullopt;
    return second && first->device == second->device && first->inode == second->inode;
}

bool pathExists(const std::string& path, Links links) {
    struct stat st {};
    const int result =
        links == Links::Follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    return result == 0;
}

int regularFileSize(const std::string& path, std::uint64_t& size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return lastSystemError();
    }
    if (!S_ISREG(st.st_mode)) {
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

int fileWriteTime(const std::string& path, bool forWriting, FileTime& time) {
    // Non-blocking, so that a FIFO under a backup's name cannot hang us.
    const int flags = (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        return lastSystemError();
    }
    struct stat st {};
    int result = 0;
    if (::fstat(fd, &st) != 0) {
        result = lastSystemError();
    } else if (!S_ISREG(st.st_mode)) {
        result = EINVAL;
    } else {
        time = static_cast<FileTime>(st.st_mtim.tv_sec) * kNanosPerSecond + st.st_mtim.tv_nsec;
    }
    ::close(fd);
    return result;
}

int setFileWriteTime(const std::string& path, FileTime time) {
    const std::time_t seconds = secondsOf(time);
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        {seconds, static_cast<long>(time - static_cast<FileTime>(seconds) * kNanosPerSecond)}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0 ? 0 : lastSystemError();
}

int clearReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return lastSystemError();
    }
    if ((st.st_mode & S_IWUSR) != 0) {
        return 0;
    }
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0 ? 0 : lastSystemError();
}

int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return lastSystemError();
    }
    // The file system cannot rename without replacing in one step; nobody else writes here, so
    // looking first is enough.
    if (pathExists(to, Links::NoFollow)) {
        return EEXIST;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : lastSystemError();
}

int createFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return error.value() != 0 ? error.value() : EIO;
    }
    return 0;
}

LocalTime localTimeOf(FileTime time) {
    const std::time_t seconds = secondsOf(time);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return fromTm(tm);
}

LocalTime utcTimeOf(FileTime time) {
    const std::time_t seconds = secondsOf(time);
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    return fromTm(tm);
}

FileTime fileTimeOfLocal(const LocalTime& local) {
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    tm.tm_isdst = -1;
    return static_cast<FileTime>(std::mktime(&tm)) * kNanosPerSecond;
}

}  // namespace lh::platform

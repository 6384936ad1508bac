#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace lh::test {

// The real file system, except that the Nth call (counting from 1) fails with `error`, or kills
// the process when `kill` is set. Records the name of every call it sees.
class FaultyFileSystem final : public platform::FileSystem {
    using FS = platform::FileSystem;
    using Path = const std::string&;

public:
    explicit FaultyFileSystem(int at = 0, int failure = EIO, bool killer = false)
        : failAt(at), error(failure), kill(killer) {}

    int failAt;
    int error;
    bool kill;
    std::vector<std::string> calls;

    int createTemporary(Path folder, Path prefix, std::string& path, int& fd) override {
        return step("createTemporary", &FS::createTemporary, folder, prefix, path, fd);
    }
    int openForWriting(Path path, int& fd) override {
        return step("openForWriting", &FS::openForWriting, path, fd);
    }
    int write(int fd, const void* p, std::size_t n) override {
        return step("write", &FS::write, fd, p, n);
    }
    int writeAt(int fd, std::uint64_t at, const void* p, std::size_t n) override {
        return step("writeAt", &FS::writeAt, fd, at, p, n);
    }
    int truncate(int fd, std::uint64_t n) override {
        return step("truncate", &FS::truncate, fd, n);
    }
    int setPermissions(int fd, unsigned mode) override {
        return step("setPermissions", &FS::setPermissions, fd, mode);
    }
    int sync(int fd) override { return step("sync", &FS::sync, fd); }
    int close(int fd) override {
        // A failed close still closes, as the system call does.
        const int result = real().close(fd);
        return step("close", [result] { return result; });
    }
    int rename(Path from, Path to) override { return step("rename", &FS::rename, from, to); }
    int remove(Path path) override { return real().remove(path); }
    int syncFolder(Path folder) override { return step("syncFolder", &FS::syncFolder, folder); }
    int checkWritable(Path path) override {
        return step("checkWritable", &FS::checkWritable, path);
    }
    int permissions(Path path, unsigned& mode) override { return real().permissions(path, mode); }
    int resolveLinks(Path path, std::string& out) override {
        return real().resolveLinks(path, out);
    }

private:
    static FS& real() { return platform::realFileSystem(); }

    template <typename... Params, typename... Args>
    int step(const char* name, int (FS::*method)(Params...), Args&&... args) {
        return step(name, [&] { return (real().*method)(std::forward<Args>(args)...); });
    }
    template <typename Call>
    int step(const char* name, Call&& call) {
        calls.emplace_back(name);
        if (static_cast<int>(calls.size()) != failAt) {
            return call();
        }
        if (kill) {
            ::kill(::getpid(), SIGKILL);
        }
        return error;
    }
};

}  // namespace lh::test

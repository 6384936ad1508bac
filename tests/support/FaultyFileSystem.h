#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lh::test {

// The real file system, except that the Nth call (counting from 1) fails with `error`, or kills
// the process when `kill` is set. Records the name of every call it sees.
class FaultyFileSystem final : public platform::FileSystem {
public:
    int failAt = 0;
    int error = EIO;
    bool kill = false;
    std::vector<std::string> calls;

    int createTemporary(const std::string& folder, const std::string& prefix, std::string& path,
                        int& fd) override {
        return step("createTemporary",
                    [&] { return real().createTemporary(folder, prefix, path, fd); });
    }
    int openForWriting(const std::string& path, int& fd) override {
        return step("openForWriting", [&] { return real().openForWriting(path, fd); });
    }
    int write(int fd, const void* data, std::size_t size) override {
        return step("write", [&] { return real().write(fd, data, size); });
    }
    int writeAt(int fd, std::uint64_t offset, const void* data, std::size_t size) override {
        return step("writeAt", [&] { return real().writeAt(fd, offset, data, size); });
    }
    int truncate(int fd, std::uint64_t size) override {
        return step("truncate", [&] { return real().truncate(fd, size); });
    }
    int setPermissions(int fd, unsigned mode) override {
        return step("setPermissions", [&] { return real().setPermissions(fd, mode); });
    }
    int sync(int fd) override {
        return step("sync", [&] { return real().sync(fd); });
    }
    int close(int fd) override {
        // A failed close still closes, as the system call does.
        const int result = real().close(fd);
        return step("close", [&] { return result; });
    }
    int rename(const std::string& from, const std::string& to) override {
        return step("rename", [&] { return real().rename(from, to); });
    }
    int remove(const std::string& path) override { return real().remove(path); }
    int syncFolder(const std::string& folder) override {
        return step("syncFolder", [&] { return real().syncFolder(folder); });
    }
    int checkWritable(const std::string& path) override {
        return step("checkWritable", [&] { return real().checkWritable(path); });
    }
    int permissions(const std::string& path, unsigned& mode) override {
        return real().permissions(path, mode);
    }
    int resolveLinks(const std::string& path, std::string& resolved) override {
        return real().resolveLinks(path, resolved);
    }

private:
    static platform::FileSystem& real() { return platform::realFileSystem(); }

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

#pragma once

#include <map>
#include <memory>
#include <string>

struct sqlite3_vfs;

namespace lh::bookmarks {

// An SQLite file system ("VFS") over files held in memory, so that a database and its
// write-ahead log can be read from private copies: no file is opened, made or changed on disk.
// Each instance registers itself under a name of its own and unregisters when destroyed; open
// the database with that name as the VFS and with "PRAGMA locking_mode=EXCLUSIVE" before the
// first read, since these files offer no shared memory for a write-ahead log index.
class MemoryVfs {
public:
    MemoryVfs();
    ~MemoryVfs();
    MemoryVfs(const MemoryVfs&) = delete;
    MemoryVfs& operator=(const MemoryVfs&) = delete;

    // The name to pass to sqlite3_open_v2 as the VFS.
    const std::string& name() const { return m_name; }
    // Makes `bytes` the contents of the file `path` (as SQLite will ask for it).
    void addFile(const std::string& path, std::string bytes);

    // The files, by path (SQLite may add a journal or remove the log). Internal to the VFS.
    std::map<std::string, std::shared_ptr<std::string>>& files() { return m_files; }

private:
    std::string m_name;
    std::unique_ptr<sqlite3_vfs> m_vfs;
    std::map<std::string, std::shared_ptr<std::string>> m_files;
};

}  // namespace lh::bookmarks

#include "bookmarks/MemoryVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace lh::bookmarks {

namespace {

struct MemoryFile {
    sqlite3_file base;  // first, as SQLite expects
    std::shared_ptr<std::string>* data;
};

MemoryVfs& owner(sqlite3_vfs* vfs) {
    return *static_cast<MemoryVfs*>(vfs->pAppData);
}

std::string& bytesOf(sqlite3_file* file) {
    return **reinterpret_cast<MemoryFile*>(file)->data;
}

int fileClose(sqlite3_file* file) {
    delete reinterpret_cast<MemoryFile*>(file)->data;
    return SQLITE_OK;
}

int fileRead(sqlite3_file* file, void* out, int amount, sqlite3_int64 offset) {
    const std::string& bytes = bytesOf(file);
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    const sqlite3_int64 available =
        offset >= size ? 0 : std::min<sqlite3_int64>(amount, size - offset);
    if (available > 0) {
        std::memcpy(out, bytes.data() + offset, static_cast<std::size_t>(available));
    }
    if (available < amount) {
        std::memset(static_cast<char*>(out) + available, 0,
                    static_cast<std::size_t>(amount - available));
        return SQLITE_IOERR_SHORT_READ;
    }
    return SQLITE_OK;
}

int fileWrite(sqlite3_file* file, const void* in, int amount, sqlite3_int64 offset) {
    std::string& bytes = bytesOf(file);
    const auto end = static_cast<std::size_t>(offset) + static_cast<std::size_t>(amount);
    if (bytes.size() < end) {
        bytes.resize(end);
    }
    std::memcpy(bytes.data() + offset, in, static_cast<std::size_t>(amount));
    return SQLITE_OK;
}

int fileTruncate(sqlite3_file* file, sqlite3_int64 size) {
    std::string& bytes = bytesOf(file);
    if (static_cast<sqlite3_int64>(bytes.size()) > size) {
        bytes.resize(static_cast<std::size_t>(size));
    }
    return SQLITE_OK;
}

int fileSync(sqlite3_file*, int) {
    return SQLITE_OK;
}

int fileSize(sqlite3_file* file, sqlite3_int64* size) {
    *size = static_cast<sqlite3_int64>(bytesOf(file).size());
    return SQLITE_OK;
}

int fileLock(sqlite3_file*, int) {
    return SQLITE_OK;
}

int fileCheckReservedLock(sqlite3_file*, int* reserved) {
    *reserved = 0;
    return SQLITE_OK;
}

int fileControl(sqlite3_file*, int, void*) {
    return SQLITE_NOTFOUND;
}

int fileSectorSize(sqlite3_file*) {
    return 4096;
}

int fileDeviceCharacteristics(sqlite3_file*) {
    return 0;
}

const sqlite3_io_methods kFileMethods = {
    1,  // no shared-memory methods: a log is read with a heap index in exclusive mode
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileLock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int vfsOpen(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto& files = owner(vfs).files();
    std::shared_ptr<std::string> data;
    if (name != nullptr) {
        const auto it = files.find(name);
        if (it != files.end()) {
            data = it->second;
        } else if ((flags & SQLITE_OPEN_CREATE) != 0) {
            data = files.emplace(name, std::make_shared<std::string>()).first->second;
        }
    } else {
        data = std::make_shared<std::string>();  // a temporary file of SQLite's own
    }
    auto* memoryFile = reinterpret_cast<MemoryFile*>(file);
    if (data == nullptr) {
        memoryFile->base.pMethods = nullptr;
        return SQLITE_CANTOPEN;
    }
    memoryFile->data = new std::shared_ptr<std::string>(std::move(data));
    memoryFile->base.pMethods = &kFileMethods;
    if (outFlags != nullptr) {
        *outFlags = flags;
    }
    return SQLITE_OK;
}

int vfsDelete(sqlite3_vfs* vfs, const char* name, int) {
    owner(vfs).files().erase(name);
    return SQLITE_OK;
}

int vfsAccess(sqlite3_vfs* vfs, const char* name, int, int* result) {
    const auto& files = owner(vfs).files();
    const auto it = files.find(name);
    *result = it != files.end() && !it->second->empty() ? 1 : 0;
    return SQLITE_OK;
}

int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    if (static_cast<int>(std::strlen(name)) >= size) {
        return SQLITE_CANTOPEN;
    }
    std::strcpy(out, name);
    return SQLITE_OK;
}

sqlite3_vfs* systemVfs() {
    return sqlite3_vfs_find(nullptr);
}

int vfsRandomness(sqlite3_vfs*, int size, char* out) {
    return systemVfs()->xRandomness(systemVfs(), size, out);
}

int vfsSleep(sqlite3_vfs*, int microseconds) {
    return systemVfs()->xSleep(systemVfs(), microseconds);
}

int vfsCurrentTime(sqlite3_vfs*, double* now) {
    return systemVfs()->xCurrentTime(systemVfs(), now);
}

int vfsGetLastError(sqlite3_vfs*, int, char*) {
    return 0;
}

std::atomic<unsigned> g_instances{0};

}  // namespace

MemoryVfs::MemoryVfs() : m_vfs(std::make_unique<sqlite3_vfs>()) {
    m_name = "linkhaven-memory-" + std::to_string(++g_instances);
    sqlite3_vfs& v = *m_vfs;
    std::memset(&v, 0, sizeof v);
    v.iVersion = 1;
    v.szOsFile = sizeof(MemoryFile);
    v.mxPathname = 4096;
    v.zName = m_name.c_str();
    v.pAppData = this;
    v.xOpen = vfsOpen;
    v.xDelete = vfsDelete;
    v.xAccess = vfsAccess;
    v.xFullPathname = vfsFullPathname;
    v.xRandomness = vfsRandomness;
    v.xSleep = vfsSleep;
    v.xCurrentTime = vfsCurrentTime;
    v.xGetLastError = vfsGetLastError;
    sqlite3_vfs_register(m_vfs.get(), 0);
}

MemoryVfs::~MemoryVfs() {
    sqlite3_vfs_unregister(m_vfs.get());
}

void MemoryVfs::addFile(const std::string& path, std::string bytes) {
    m_files[path] = std::make_shared<std::string>(std::move(bytes));
}

}  // namespace lh::bookmarks

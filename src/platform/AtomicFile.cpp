#include "platform/AtomicFile.h"

#include <cerrno>

#include "platform/Paths.h"

namespace lh::platform {

AtomicFile::AtomicFile(FileSystem& fs) : m_fs(fs) {}

AtomicFile::~AtomicFile() {
    abandon();
}

bool AtomicFile::fail(const char* step, const std::string& path, int systemError) {
    m_error = IoError{step, path, systemError};
    abandon();
    return false;
}

void AtomicFile::abandon() {
    if (m_fd >= 0) {
        m_fs.close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        m_fs.remove(m_temporary);
        m_temporary.clear();
    }
}

bool AtomicFile::open(const std::string& path) {
    abandon();
    m_error = {};
    m_size = 0;
    m_inPlace = false;
    if (int e = m_fs.resolveLinks(path, m_target); e != 0) {
        return fail("resolve", path, e);
    }
    const int modeResult = m_fs.permissions(m_target, m_targetMode);
    m_targetExists = modeResult == 0;
    if (!m_targetExists && modeResult != ENOENT) {
        return fail("open", m_target, modeResult);
    }
    if (m_targetExists) {
        if (int e = m_fs.checkWritable(m_target); e != 0) {
            return fail("open", m_target, e);
        }
    }
    const std::string folder = parentFolder(m_target);
    const int e = m_fs.createTemporary(folder, temporaryPrefix(m_target), m_temporary, m_fd);
    if (e == 0) {
        return true;
    }
    m_temporary.clear();
    if (e != EACCES && e != EPERM) {
        return fail("create temporary file in", folder, e);
    }
    // The folder is closed to new files but the file itself may be writable: write in place.
    m_inPlace = true;
    if (int openError = m_fs.openForWriting(m_target, m_fd); openError != 0) {
        m_fd = -1;
        return fail("open", m_target, openError);
    }
    return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (m_fd < 0) {
        return false;
    }
    if (int e = m_fs.write(m_fd, data, size); e != 0) {
        return fail("write", m_inPlace ? m_target : m_temporary, e);
    }
    m_size += size;
    return true;
}

bool AtomicFile::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
    if (m_fd < 0) {
        return false;
    }
    if (int e = m_fs.writeAt(m_fd, offset, data, size); e != 0) {
        return fail("write", m_inPlace ? m_target : m_temporary, e);
    }
    return true;
}

bool AtomicFile::commit() {
    if (m_fd < 0) {
        return false;
    }
    const std::string& written = m_inPlace ? m_target : m_temporary;
    if (m_inPlace) {
        // A shorter file must not keep a tail of the old one.
        if (int e = m_fs.truncate(m_fd, m_size); e != 0) {
            return fail("truncate", written, e);
        }
    } else if (m_targetExists) {
        if (int e = m_fs.setPermissions(m_fd, m_targetMode); e != 0) {
            return fail("set permissions of", written, e);
        }
    }
    if (int e = m_fs.sync(m_fd); e != 0) {
        return fail("flush", written, e);
    }
    if (m_inPlace) {
        return closeFile(written);
    }
    // The temporary file stays open, and so locked, until it has become the target: a start of
    // the program meanwhile never takes it for one left by a crash.
    if (int e = m_fs.rename(m_temporary, m_target); e != 0) {
        return fail("rename", m_target, e);
    }
    m_temporary.clear();
    if (int e = m_fs.syncFolder(parentFolder(m_target)); e != 0) {
        // The new file is in place; only its durability across a power cut is in doubt.
        (void)closeFile(m_target);
        m_error = IoError{"flush folder of", m_target, e};
        return false;
    }
    return closeFile(m_target);
}

bool AtomicFile::closeFile(const std::string& written) {
    const int fd = m_fd;
    m_fd = -1;
    if (int e = m_fs.close(fd); e != 0) {
        return fail("close", written, e);
    }
    return true;
}

std::string AtomicFile::temporaryPrefix(const std::string& target) {
    std::string prefix = ".";  // hidden, and never ending like the file it stands in for
    prefix += fileName(target);
    prefix += ".saving-";
    return prefix;
}

}  // namespace lh::platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/IoError.h"

namespace lh::platform {

// Writes a whole file so that, whatever fails and whenever the process dies, the file at the
// path is either the old one or the complete new one.
//
// The bytes go to a temporary file beside the target (symbolic links are followed to the file
// they name), which is flushed, given the target's permission bits and renamed over it; then the
// folder is flushed. The temporary file is write-locked (lockForWriting) from its creation until
// after the rename, so that one left by a crash can be told from one being written
// (removeStaleSaves). Only when no file can be created in that folder (no permission) is the
// target written in place. An existing target that this user may not write is refused, as an
// in-place write would be.
class AtomicFile {
public:
    explicit AtomicFile(FileSystem& fs = realFileSystem());
    // Abandons an uncommitted write: the temporary file is closed and removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts writing `path`. False on failure (see error()); nothing on disk has changed then.
    [[nodiscard]] bool open(const std::string& path);
    // Appends bytes. False on failure.
    [[nodiscard]] bool write(const void* data, std::size_t size);
    // Overwrites bytes already written (e.g. a header completed at the end). False on failure.
    [[nodiscard]] bool writeAt(std::uint64_t offset, const void* data, std::size_t size);
    // Makes the new contents the file at the path. False on failure; the old file is then whole
    // (except in the in-place case, where the file was already being overwritten).
    [[nodiscard]] bool commit();

    const IoError& error() const { return m_error; }
    // How the temporary files for `target` (the file links lead to) begin:
    // ".<name>.saving-", followed by eight random letters.
    static std::string temporaryPrefix(const std::string& target);
    // True when the target is written in place because no temporary file could be made.
    bool inPlace() const { return m_inPlace; }

private:
    bool fail(const char* step, const std::string& path, int systemError);
    bool closeFile(const std::string& written);
    void abandon();

    FileSystem& m_fs;
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    std::uint64_t m_size = 0;
    bool m_inPlace = false;
    bool m_targetExists = false;
    unsigned m_targetMode = 0;
    IoError m_error;
};

}  // namespace lh::platform

#include "commands/ProbedFile.h"

#include "platform/MappedFile.h"

namespace lh::commands {

ProbedFile probeFile(const std::string& path) {
    using Status = platform::MappedFile::Status;
    using store::LoadOutcome;
    ProbedFile probed{path, platform::fileStamp(path), {}, LoadOutcome::Missing, {}};
    {
        platform::MappedFile file;
        switch (file.open(path)) {
            case Status::Mapped:
                probed.bytes.assign(file.bytes());
                break;
            case Status::Missing:
                probed.error = file.error();
                return probed;
            case Status::Empty:
                probed.error = file.error();
                probed.outcome = LoadOutcome::Empty;
                return probed;
            case Status::Unreadable:
                probed.error = file.error();
                probed.outcome = LoadOutcome::Unreadable;
                return probed;
        }
    }
    store::Database scratch;
    probed.outcome = scratch.loadBytes(probed.bytes, path, probed.error);
    return probed;
}

}  // namespace lh::commands

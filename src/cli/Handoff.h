#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::cli {

// A command that changes a file a running window has open is carried out by that window, on
// the database it shows, and saved by it: else the window's next save would undo the command.
// These are the request and the answer that travel over the window's single-instance socket.

// The command line (command name first) and the folder its relative paths start from. With
// `onlyAsk` the window only says whether the file is its own (--no-window).
struct RunRequest {
    std::vector<std::string> args;
    std::string folder;
    bool onlyAsk = false;

    bool operator==(const RunRequest&) const = default;
};

struct RunReply {
    enum class Kind {
        NotMine,  // the window has another file open: the command runs here
        Busy,     // a dialog or an import runs in the window
        Done,     // carried out (or, for onlyAsk, the file is the window's)
    };
    Kind kind = Kind::NotMine;
    int code = 0;     // the command's exit code
    std::string out;  // what it printed
    std::string err;

    bool operator==(const RunReply&) const = default;
};

// The bytes of each, and their reading. A request starts "run "; the readers say Incomplete
// until every byte announced has come, and Invalid for anything malformed or too large.
enum class Decoded { Incomplete, Complete, Invalid };
std::string encodeRequest(const RunRequest& request);
Decoded decodeRequest(std::string_view bytes, RunRequest& request);
std::string encodeReply(const RunReply& reply);
Decoded decodeReply(std::string_view bytes, RunReply& reply);

// `path` made absolute against `folder` (the caller's current folder) when it is relative and a
// folder is given.
std::string pathFrom(const std::string& folder, const std::string& path);

// The file `args` (command name first) writes, as given on the command line; nothing for a
// command that only reads.
std::optional<std::string> writtenFile(const std::vector<std::string>& args);

// How linkhaven-cli reaches a running window; nothing when none runs.
class InstanceLink {
public:
    virtual ~InstanceLink() = default;
    virtual std::optional<RunReply> ask(const RunRequest& request) = 0;
};

// The link over the per-user socket.
class SocketInstanceLink final : public InstanceLink {
public:
    std::optional<RunReply> ask(const RunRequest& request) override;
};

}  // namespace lh::cli

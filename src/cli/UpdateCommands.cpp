// linkhaven-cli check-update: one update check, as the program's dialog runs it.

#include <atomic>
#include <cstdlib>
#include <optional>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "update/UpdateClient.h"
#include "update/UpdateServer.h"

namespace lh::cli {

namespace {

constexpr const char* kUsage = "check-update takes at most --url http://HOST[:PORT]";

// The server named by --url, else by the variable, else ours; nothing (after saying why) when
// the address given is refused.
std::optional<update::UpdateServer> chooseServer(Context& c) {
    if (c.args.size() == 2 && c.args[0] == "--url") {
        auto server = update::parseUpdateUrl(c.args[1]);
        if (!server) {
            fail(c, "", "--url must be http://HOST[:PORT]: " + c.args[1]);
        }
        return server;
    }
    const char* variable = std::getenv(update::kUpdateUrlVariable);
    auto server = update::chooseUpdateServer(variable);
    if (!server) {
        fail(c, "",
             std::string(update::kUpdateUrlVariable) + " must be http://HOST[:PORT]: " + variable);
    }
    return server;
}

int cmdCheckUpdate(Context& c) {
    if (!c.args.empty() && !(c.args.size() == 2 && c.args[0] == "--url")) {
        return usageError(c, kUsage);
    }
    const std::optional<update::UpdateServer> server = chooseServer(c);
    if (!server) {
        return kExitFailed;
    }
    const std::atomic<bool> stop{false};
    c.out << JsonLine().add("result", update::fetchUpdateInfo(*server, stop)).str() << "\n";
    return kExitOk;  // the result tells how the check went
}

}  // namespace

std::vector<Command> updateCommands() {
    return {{"check-update",
             "check-update [--url http://HOST[:PORT]]  ask the update server for a newer version",
             cmdCheckUpdate}};
}

}  // namespace lh::cli

#include "store/LaunchArguments.h"

#include "store/DataFileLocation.h"

namespace lh::store {

LaunchRequest readLaunchArguments(const std::vector<std::string>& args) {
    LaunchRequest request;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            request.kind = LaunchRequest::Kind::Help;
            return request;
        }
        if (arg == "--version") {
            request.kind = LaunchRequest::Kind::Version;
            return request;
        }
        if (!hasDatabaseExtension(arg)) {
            request.ignored.push_back(arg);
        }
    }
    return request;
}

std::string launchHelpText() {
    return "Usage: linkhaven [FILE.lhd]\n"
           "Opens the Linkhaven database FILE.lhd, or the one used last.\n"
           "\n"
           "  --help      show this text and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Other arguments are ignored. linkhaven-cli --help lists the command-line tools.\n";
}

std::string launchVersionText(std::string_view version) {
    return "Linkhaven " + std::string(version) + "\n";
}

std::string ignoredArgumentsLine(const std::vector<std::string>& ignored) {
    if (ignored.empty()) {
        return {};
    }
    std::string line = "linkhaven: ignored (not a .lhd file):";
    for (const std::string& arg : ignored) {
        line += " " + arg;
    }
    return line + "\n";
}

}  // namespace lh::store

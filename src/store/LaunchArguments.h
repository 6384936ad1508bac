#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lh::store {

// What the window program's command line asks for. Only --help and --version are options; a
// database file is taken by dataFileFromCommandLine, and anything else is left alone.
struct LaunchRequest {
    enum class Kind { Run, Help, Version };
    Kind kind = Kind::Run;
    // The arguments that are neither options nor database files, in their order.
    std::vector<std::string> ignored;
};

LaunchRequest readLaunchArguments(const std::vector<std::string>& args);

// The text --help prints; `version` as --version prints it.
std::string launchHelpText();
std::string launchVersionText(std::string_view version);
// The one line on standard error naming the ignored arguments; empty when there are none.
std::string ignoredArgumentsLine(const std::vector<std::string>& ignored);

}  // namespace lh::store

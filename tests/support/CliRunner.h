#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace lh::test {

// What linkhaven-cli did: exit code and both outputs.
struct CliOutcome {
    int code;
    std::string out;
    std::string err;
};

inline CliOutcome runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace lh::test

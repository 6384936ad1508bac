#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Handoff.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    lh::cli::SocketInstanceLink link;
    return lh::cli::run(args, std::cout, std::cerr, &link);
}
